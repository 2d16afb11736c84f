#include "QTerminatorDlg.h"
#include "ui_QTerminatorDlg.h"

QTerminatorDlg::QTerminatorDlg(QWidget* parent) : QDialog(parent), ui(new Ui::QTerminatorDlg)
{
    ui->setupUi(this);
}

QTerminatorDlg::~QTerminatorDlg()
{
    delete ui;
}
