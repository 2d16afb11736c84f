// The scene of the circular genome map.
#pragma once

#include <QGraphicsScene>

class OperonsScene : public QGraphicsScene
{
    Q_OBJECT
public:
    explicit OperonsScene(QObject *parent = nullptr);
};
