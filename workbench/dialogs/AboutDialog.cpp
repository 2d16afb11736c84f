#include "AboutDialog.h"
#include "ui_AboutDialog.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), ui(new Ui::AboutDialog)
{
    ui->setupUi(this);
    // The version comes from the build.
    QString html = ui->textBrowser->toHtml();
    html.replace(QStringLiteral("Developed by the Meridan developers."),
                 tr("Version %1, developed by the Meridan developers.").arg(QStringLiteral(MERIDAN_VERSION)));
    ui->textBrowser->setHtml(html);
    connect(ui->pushButton, &QPushButton::clicked, this, &AboutDialog::close);
}

AboutDialog::~AboutDialog()
{
    delete ui;
}
