#include "OperonsScene.h"

OperonsScene::OperonsScene(QObject *parent)
    : QGraphicsScene(parent)
{
}
