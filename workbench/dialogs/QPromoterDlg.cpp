#include "QPromoterDlg.h"
#include "ui_QPromoterDlg.h"

QPromoterDlg::QPromoterDlg(QWidget* parent) : QDialog(parent), ui(new Ui::QPromoterDlg)
{
    ui->setupUi(this);
}

QPromoterDlg::~QPromoterDlg()
{
    delete ui;
}
