#pragma once
// The about box: the program's name and version, and a button that opens
// the program's web site in the default browser.

#include <QDialog>
#include <QUrl>

namespace korvo {

// The program's web site (the about box's "Посетить сайт программы").
inline const QUrl kProgramSite{"https://korvo-track-editor.example.org/"};

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr, QUrl site = kProgramSite);

    // Opens the site; the browser is the system's.
    void openWebsite();

private:
    QUrl site_;
};

} // namespace korvo
