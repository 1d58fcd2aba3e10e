#pragma once
// The user manual inside the program: its pages (built into the program, one
// set per language) in a browser, with the contents, an index of keywords and
// a search over every page. It follows the interface language; F1 opens it on
// the page for where the user is.

#include <QStringList>
#include <QWidget>

#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;

namespace korvo {

class LangLines;

// The manual's language for the interface's: "ru" where the menus speak
// Cyrillic (the Russian file, the built-in texts), "en" for any other.
QString manualLanguage(const LangLines& lang);

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The window's texts from `lang`, the pages of `language` ("en", "ru");
    // the page shown stays, in the new language.
    void setLanguage(const LangLines& lang, const QString& language);
    QString language() const { return language_; }
    // Shows `page` ("editing.html", "keys.html#canvas") of the manual.
    void showPage(const QString& page);
    // The page shown, without its anchor ("index.html").
    QString page() const;
    // The pages holding every word of `words` (case aside), in contents order.
    QStringList pagesHolding(const QString& words) const;

    QTextBrowser* browser() const { return browser_; }
    QTabWidget* tabs() const { return tabs_; }
    QListWidget* contentsList() const { return contents_; }
    QListWidget* indexList() const { return index_; }
    QLineEdit* indexFilter() const { return indexFilter_; }
    QLineEdit* searchField() const { return searchField_; }
    QListWidget* searchResults() const { return results_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Page {
        QString file, title, text; // text: the words, lower case
    };
    struct Keyword {
        QString term, target;
    };
    void loadPages();
    void filterIndex(const QString& typed);
    void runSearch();
    QString url(const QString& page) const;

    QString language_;
    QString nothingFound_; // "No page holds \"%s\"."
    std::vector<Page> pages_;
    std::vector<Keyword> keywords_;
    QTabWidget* tabs_;
    QListWidget* contents_;
    QLineEdit* indexFilter_;
    QListWidget* index_;
    QLineEdit* searchField_;
    QListWidget* results_;
    QTextBrowser* browser_;
    QPushButton *back_, *forward_, *close_;
};

} // namespace korvo
