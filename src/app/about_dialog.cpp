#include "about_dialog.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace korvo {

const char* TAbout_f::siteUrl() {
    return "https://example.org/korvote/";
}

TAbout_f::TAbout_f(QWidget* parent) : QDialog(parent) {
    setObjectName("About_f");
    setWindowTitle(QString::fromUtf8("О программе"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFixedSize(270, 220);
    setModal(false);

    Label1 = new QLabel(QString::fromUtf8("\nKorvo Track Editor v.2.4 SE"), this);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSize(10);
    Label1->setFont(bold);

    GotoSite = new QPushButton(QString::fromUtf8("Посетить сайт программы"), this);
    GotoSite->setObjectName("GotoSite");
    connect(GotoSite, &QPushButton::clicked, this, &TAbout_f::GotoSiteClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1, 1);
    layout->addWidget(GotoSite);
}

void TAbout_f::GotoSiteClick() {
    QDesktopServices::openUrl(QUrl(siteUrl()));
}

} // namespace korvo
