#include "about_box.h"

#include "text/version.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvo {

AboutBox::AboutBox(QWidget* parent, QUrl site) : QDialog(parent), site_(std::move(site)) {
    setObjectName("TAbout_f");
    setWindowTitle(QString::fromUtf8("О программе"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(270, 220);

    auto* title = new QLabel(QString("\nKorvo Track Editor v.%1 SE").arg(kVersion), this);
    title->setObjectName("Label1");
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(10);
    title->setFont(bold);

    auto* GotoSite = new QPushButton(QString::fromUtf8("Посетить сайт программы"), this);
    GotoSite->setObjectName("GotoSite");
    connect(GotoSite, &QPushButton::clicked, this, &AboutBox::openWebsite);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addStretch();
    layout->addWidget(GotoSite, 0, Qt::AlignHCenter);
}

void AboutBox::openWebsite() {
    QDesktopServices::openUrl(site_);
}

} // namespace korvo
