#pragma once
// TAbout_f: the About box with the program's name and version and a button
// that opens the program's web site.

#include <QDialog>

class QLabel;
class QPushButton;

namespace korvo {

class TAbout_f : public QDialog {
    Q_OBJECT
public:
    explicit TAbout_f(QWidget* parent = nullptr);

    QLabel* Label1;
    QPushButton* GotoSite; // "Посетить сайт программы"

    static const char* siteUrl();

private:
    void GotoSiteClick();
};

} // namespace korvo
