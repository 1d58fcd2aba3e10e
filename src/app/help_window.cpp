#include "help_window.h"

#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace korvo {

namespace {

// The pages in the order of the contents.
const char* const kPages[] = {"index.html", "list.html",  "editing.html",    "new-track.html",
                              "ride.html",  "check.html", "options.html",    "submission.html",
                              "files.html", "keys.html",  "differences.html"};

constexpr int kTargetRole = Qt::UserRole;

QString resourceText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

QListWidgetItem* linkItem(QListWidget* list, const QString& text, const QString& target) {
    auto* item = new QListWidgetItem(text, list);
    item->setData(kTargetRole, target);
    return item;
}

} // namespace

QString manualLanguage(const LangLines& lang) {
    for (const int line : {0, int(kLineHelpContents)})
        for (const QChar c : lang[line])
            if (c.script() == QChar::Script_Cyrillic) return "ru";
    return "en";
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    resize(960, 640);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("HelpTabs");

    contents_ = new QListWidget(tabs_);
    contents_->setObjectName("HelpContents");
    tabs_->addTab(contents_, QString());

    auto* indexTab = new QWidget(tabs_);
    auto* indexColumn = new QVBoxLayout(indexTab);
    indexFilter_ = new QLineEdit(indexTab);
    indexFilter_->setObjectName("HelpIndexFilter");
    indexFilter_->setClearButtonEnabled(true);
    index_ = new QListWidget(indexTab);
    index_->setObjectName("HelpIndex");
    indexColumn->addWidget(indexFilter_);
    indexColumn->addWidget(index_, 1);
    tabs_->addTab(indexTab, QString());

    auto* searchTab = new QWidget(tabs_);
    auto* searchColumn = new QVBoxLayout(searchTab);
    auto* lookFor = new QLabel(searchTab);
    lookFor->setObjectName("HelpLookFor");
    searchField_ = new QLineEdit(searchTab);
    searchField_->setObjectName("HelpSearchField");
    searchField_->setClearButtonEnabled(true);
    lookFor->setBuddy(searchField_);
    results_ = new QListWidget(searchTab);
    results_->setObjectName("HelpSearchResults");
    searchColumn->addWidget(lookFor);
    searchColumn->addWidget(searchField_);
    searchColumn->addWidget(results_, 1);
    tabs_->addTab(searchTab, QString());

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpPage");
    browser_->setOpenExternalLinks(true);

    auto* split = new QSplitter(this);
    split->addWidget(tabs_);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    split->setSizes({260, 700});

    back_ = new QPushButton(this);
    back_->setObjectName("HelpBack");
    forward_ = new QPushButton(this);
    forward_->setObjectName("HelpForward");
    close_ = new QPushButton(this);
    close_->setObjectName("HelpClose");
    back_->setEnabled(false);
    forward_->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch(1);
    buttons->addWidget(close_);

    auto* column = new QVBoxLayout(this);
    column->addWidget(split, 1);
    column->addLayout(buttons);

    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& shown) {
        setWindowTitle(browser_->documentTitle().isEmpty()
                           ? windowTitle()
                           : browser_->documentTitle() + " - " + property("helpTitle").toString());
        const QString file = shown.path().section('/', -1);
        for (int i = 0; i < contents_->count(); ++i)
            if (contents_->item(i)->data(kTargetRole).toString() == file)
                contents_->setCurrentRow(i);
    });
    auto open = [this](QListWidgetItem* item) {
        if (item && !item->data(kTargetRole).toString().isEmpty())
            showPage(item->data(kTargetRole).toString());
    };
    for (QListWidget* list : {contents_, index_, results_}) {
        connect(list, &QListWidget::itemActivated, this, open);
        connect(list, &QListWidget::itemClicked, this, open);
    }
    connect(indexFilter_, &QLineEdit::textChanged, this, &HelpWindow::filterIndex);
    connect(indexFilter_, &QLineEdit::returnPressed, this, [this, open] {
        for (int i = 0; i < index_->count(); ++i)
            if (!index_->item(i)->isHidden()) return open(index_->item(i));
    });
    connect(searchField_, &QLineEdit::returnPressed, this, &HelpWindow::runSearch);
}

QString HelpWindow::url(const QString& page) const {
    return "qrc:/help/" + language_ + "/" + page;
}

void HelpWindow::setLanguage(const LangLines& lang, const QString& language) {
    setProperty("helpTitle", lang[kLineHelpTitle]);
    setWindowTitle(lang[kLineHelpTitle]);
    tabs_->setTabText(0, lang[kLineHelpContents]);
    tabs_->setTabText(1, lang[kLineHelpIndex]);
    tabs_->setTabText(2, lang[kLineHelpSearch]);
    findChild<QLabel*>("HelpLookFor")->setText(lang[kLineHelpLookFor]);
    back_->setText(lang[kLineHelpBack]);
    forward_->setText(lang[kLineHelpForward]);
    close_->setText(lang[kLineHelpClose]);
    nothingFound_ = lang[kLineHelpNothingFound];
    if (language == language_ && !pages_.empty()) return;
    const QString shown = page();
    language_ = language;
    loadPages();
    if (!shown.isEmpty()) {
        browser_->clearHistory();
        showPage(shown);
    }
}

void HelpWindow::loadPages() {
    pages_.clear();
    contents_->clear();
    static const QRegularExpression title("<title>(.*)</title>",
                                          QRegularExpression::CaseInsensitiveOption);
    for (const char* file : kPages) {
        const QString html = resourceText(":/help/" + language_ + "/" + file);
        QTextDocument doc;
        doc.setHtml(html);
        Page p{file, title.match(html).captured(1).trimmed(), doc.toPlainText().toLower()};
        if (p.title.isEmpty()) p.title = file;
        linkItem(contents_, p.title, p.file);
        pages_.push_back(std::move(p));
    }
    keywords_.clear();
    index_->clear();
    const QString list = resourceText(":/help/" + language_ + "/keywords.txt");
    for (const QString& line : list.split('\n', Qt::SkipEmptyParts)) {
        const qsizetype tab = line.indexOf('\t');
        if (tab <= 0) continue;
        keywords_.push_back({line.left(tab).trimmed(), line.mid(tab + 1).trimmed()});
        linkItem(index_, keywords_.back().term, keywords_.back().target);
    }
    filterIndex(indexFilter_->text());
    results_->clear();
}

void HelpWindow::showPage(const QString& page) {
    browser_->setSource(QUrl(url(page)));
}

QString HelpWindow::page() const {
    const QString path = browser_->source().path();
    return path.isEmpty() ? QString() : path.section('/', -1);
}

// The index keeps the entries that begin with what is typed, then those that
// hold it elsewhere.
void HelpWindow::filterIndex(const QString& typed) {
    const QString t = typed.trimmed();
    int first = -1;
    for (int i = 0; i < index_->count(); ++i) {
        const QString term = index_->item(i)->text();
        const bool shown = t.isEmpty() || term.contains(t, Qt::CaseInsensitive);
        index_->item(i)->setHidden(!shown);
        if (shown && first < 0 && (t.isEmpty() || term.startsWith(t, Qt::CaseInsensitive)))
            first = i;
    }
    if (first >= 0) {
        index_->setCurrentRow(first);
        index_->scrollToItem(index_->item(first), QAbstractItemView::PositionAtTop);
    }
}

QStringList HelpWindow::pagesHolding(const QString& words) const {
    const QStringList wanted = words.toLower().split(' ', Qt::SkipEmptyParts);
    QStringList found;
    if (wanted.isEmpty()) return found;
    for (const Page& p : pages_) {
        bool all = true;
        for (const QString& w : wanted) all = all && p.text.contains(w);
        if (all) found << p.file;
    }
    return found;
}

void HelpWindow::runSearch() {
    results_->clear();
    const QString words = searchField_->text().trimmed();
    if (words.isEmpty()) return;
    for (const QString& file : pagesHolding(words))
        for (const Page& p : pages_)
            if (p.file == file) linkItem(results_, p.title, p.file);
    if (results_->count() == 0) {
        QString none = nothingFound_;
        linkItem(results_, none.replace("%s", words), QString())->setFlags(Qt::NoItemFlags);
        return;
    }
    results_->setCurrentRow(0);
    showPage(results_->item(0)->data(kTargetRole).toString());
    browser_->find(words.section(' ', 0, 0));
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace korvo
