// The submission window mailing a pack to an SMTP server on 127.0.0.1.
#include "../common/active_language.h"
#include "dist/submission_files.h"
#include "dist/ui/submission_window.h"
#include "text/lang_lines.h"

#include "../core/mail_test_util.h"
#include "ui_test_util.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextEdit>

using namespace korvo;
using namespace korvo::test;

namespace {

struct Window {
    ActiveLanguage active{"russian.lng"};
    LangLines lang = test::wordingLanguage();
    SubmissionWindow w;

    explicit Window(const QString& base)
        : w(base, OpenPackState{[] { return QString(); }, [] { return false; }}, lang) {
        w.show(); // showCurrentValues
    }
    template <class W> W* get(const char* name) {
        W* found = w.findChild<W*>(name);
        EXPECT_TRUE(found) << name;
        return found;
    }
    QPushButton* ok() { return get<QPushButton>("Button2"); }
    QTextBlock lastLine() { return get<QTextEdit>("LogMemo")->document()->lastBlock(); }
};

} // namespace

TEST(SubmissionWindow, MailsAThirtyTrackPackAndTheLogEndsGreen) {
    SmtpTestServer server("accept");
    ASSERT_GT(server.port(), 0);
    SubmissionFolder folder;
    folder.mailTo(server.port());
    Window win(folder.base);
    // No [Author] yet: both author fields are empty.
    EXPECT_EQ(win.get<QLineEdit>("nameauth")->text(), "");
    EXPECT_EQ(win.get<QLineEdit>("emailauth")->text(), "");
    EXPECT_TRUE(win.get<QRadioButton>("SendtoMail")->isChecked());

    // The editor's pack, while the editor holds no tracks: nothing is chosen.
    win.get<QRadioButton>("RadioButton4")->click();
    EXPECT_FALSE(win.get<QLineEdit>("LevFilePath")->isEnabled());
    EXPECT_EQ(answerMessageBoxes([&] { QTest::mouseClick(win.ok(), Qt::LeftButton); }),
              QStringList{QString::fromUtf8("Не выбран файл.")});
    EXPECT_TRUE(win.ok()->isEnabled());

    win.get<QRadioButton>("RadioButton3")->click();
    ASSERT_TRUE(win.get<QLineEdit>("LevFilePath")->isEnabled());
    win.get<QLineEdit>("LevFilePath")->setText(folder.pack);
    win.get<QLineEdit>("nameauth")->setText("Rider");
    win.get<QLineEdit>("emailauth")->setText("rider@example.net");
    win.get<QLineEdit>("nameLev")->setText("Forest");
    win.get<QPlainTextEdit>("note")->setPlainText("two\nlines");
    QTest::mouseClick(win.ok(), Qt::LeftButton);
    EXPECT_FALSE(win.ok()->isEnabled()); // off while the mail goes out
    QElapsedTimer clock;
    clock.start();
    while (!win.ok()->isEnabled() && clock.elapsed() < 30000) QTest::qWait(20);
    ASSERT_TRUE(win.ok()->isEnabled());

    EXPECT_TRUE(win.lastLine().text().endsWith(
        QString::fromUtf8("Уровень отправлен на %1.").arg(kTestMailbox)))
        << win.lastLine().text().toStdString();
    const QTextCharFormat format = win.lastLine().begin().fragment().charFormat();
    EXPECT_EQ(format.foreground().color(), QColor(0, 128, 0));
    const QJsonArray parts = server.message()["parts"].toArray();
    ASSERT_EQ(parts.size(), 2);
    EXPECT_TRUE(fromBase64(parts[0].toObject()["bytes"])
                    .endsWith("\r\n\xCF\xF0\xE8\xEC\xE5\xF7\xE0\xED\xE8\xE5 : two\r\nlines"));

    // Shown again, the window keeps what was typed and the log.
    win.w.hide();
    win.w.show();
    EXPECT_EQ(win.get<QLineEdit>("nameLev")->text(), "Forest");
    EXPECT_GT(win.get<QTextEdit>("LogMemo")->document()->blockCount(), 5);
}

TEST(SubmissionWindow, TheLogKeepsItsLast2000Lines) {
    QTemporaryDir dir;
    Window win(dir.path());
    for (int i = 1; i <= 2100; ++i) win.w.AddMessage(QString::number(i), Qt::blue);
    const QTextDocument* doc = win.get<QTextEdit>("LogMemo")->document();
    EXPECT_EQ(doc->blockCount(), SubmissionWindow::kMaxLogLines + 1);
    EXPECT_TRUE(doc->firstBlock().text().endsWith(" 100"))
        << doc->firstBlock().text().toStdString();
    EXPECT_TRUE(win.lastLine().text().endsWith(" 2100"));
}

TEST(SubmissionWindow, ClosedAfterTheMessageWentOutItNeverSaysStopped) {
    SmtpTestServer server("stall"); // takes the message and its "." and never answers
    ASSERT_GT(server.port(), 0);
    SubmissionFolder folder;
    folder.mailTo(server.port(), "Timeout=30\r\n");
    Window win(folder.base);
    win.get<QRadioButton>("RadioButton3")->click();
    win.get<QLineEdit>("LevFilePath")->setText(folder.pack);
    win.get<QLineEdit>("nameauth")->setText("Rider");
    win.get<QLineEdit>("emailauth")->setText("rider@example.net");
    win.get<QLineEdit>("nameLev")->setText("Forest");
    QTest::mouseClick(win.ok(), Qt::LeftButton);
    ASSERT_TRUE(server.waitFor("stalled"));
    win.w.close();
    EXPECT_FALSE(win.w.running());
    const QString log = win.get<QTextEdit>("LogMemo")->toPlainText();
    EXPECT_FALSE(log.contains(QString::fromUtf8("Отправка прервана."))) << log.toStdString();
    EXPECT_FALSE(log.contains(QString::fromUtf8("Уровень не отправлен.")));
    EXPECT_TRUE(win.lastLine().text().contains(
        QString::fromUtf8("сервер мог его доставить. Проверьте почту")))
        << win.lastLine().text().toStdString();
}

TEST(SubmissionWindow, TheOpenPackWithUnsavedChangesGoesOnlyAsTheUserSays) {
    struct Case {
        const char* button; // the answer; empty: Cancel
        bool saveWorks;
        int saves;
        bool archived;
    };
    for (const Case& c : {Case{"", true, 0, false}, Case{"SendAsSaved", true, 0, true},
                          Case{"SaveFirst", true, 1, true}, Case{"SaveFirst", false, 1, false}}) {
        SCOPED_TRACE(testing::Message() << c.button << " " << c.saveWorks);
        SubmissionFolder folder;
        int saves = 0;
        ActiveLanguage active{"russian.lng"};
        LangLines lang = test::wordingLanguage();
        SubmissionWindow w(folder.base,
                           OpenPackState{[&] { return folder.pack; }, [] { return true; },
                                         [] { return true; },
                                         [&] {
                                             ++saves;
                                             return c.saveWorks;
                                         }},
                           lang);
        w.show();
        w.findChild<QRadioButton*>("RadioButton4")->click();
        w.findChild<QRadioButton*>("SendtoDisk")->click();
        w.findChild<QLineEdit*>("nameauth")->setText("Rider");
        w.findChild<QLineEdit*>("emailauth")->setText("rider@example.net");
        w.findChild<QLineEdit*>("nameLev")->setText("Forest");
        QStringList asked;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            asked << box->text();
            if (QString(c.button).isEmpty())
                box->button(QMessageBox::Cancel)->click();
            else
                box->findChild<QPushButton*>(c.button)->click();
        });
        poll.start();
        QTest::mouseClick(w.findChild<QPushButton*>("Button2"), Qt::LeftButton);
        poll.stop();
        ASSERT_EQ(asked.size(), 1);
        EXPECT_TRUE(asked[0].startsWith(QString::fromUtf8("В открытом пакете есть несохранённые")));
        EXPECT_EQ(saves, c.saves);
        EXPECT_EQ(QFile::exists(archivePath(folder.base)), c.archived);
        EXPECT_TRUE(w.findChild<QPushButton*>("Button2")->isEnabled());
    }
}
