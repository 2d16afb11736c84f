// The single-sequence promoter query form: a sequence or a file in, the result below.
// A plain form: it declares no slots or signals and connects no button.
#pragma once

#include <QDialog>

namespace Ui {
class QPromoterDlg;
}

class QPromoterDlg : public QDialog {
    Q_OBJECT

public:
    explicit QPromoterDlg(QWidget* parent = nullptr);
    ~QPromoterDlg() override;

private:
    Ui::QPromoterDlg* ui;
};
