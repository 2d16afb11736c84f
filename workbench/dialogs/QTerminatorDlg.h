// The single-sequence terminator query form: a sequence or a file in, the result below.
// A plain form: it declares no slots or signals and connects no button.
#pragma once

#include <QDialog>

namespace Ui {
class QTerminatorDlg;
}

class QTerminatorDlg : public QDialog {
    Q_OBJECT

public:
    explicit QTerminatorDlg(QWidget* parent = nullptr);
    ~QTerminatorDlg() override;

private:
    Ui::QTerminatorDlg* ui;
};
