// The Debian package, made by CPack from the build folder as
// scripts/package.sh makes it: lintian finds no error and no warning that is
// not named below, its AppStream metadata validates, and unpacked into a
// scratch root it holds every installed file under /usr, with the
// dependencies dpkg-shlibdeps found and the project's version. Skipped, with
// the reason, where the packaging tools are missing (scripts/install-deps.sh
// installs them).
#include "../core/settings_files.h"
#include "installed_files.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace korvo::test;

// The warnings lintian may give, each with its reason (none at present).
const QStringList kNamedWarnings = {};

struct ToolRun {
    int exitCode = -1;
    QString out;
};

ToolRun runTool(const QString& program, const QStringList& arguments, const QString& folder = {}) {
    QProcess p;
    if (!folder.isEmpty()) p.setWorkingDirectory(folder);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    if (!p.waitForFinished(300000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << program.toStdString() << " did not end";
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput())};
}

class Package : public testing::Test {
protected:
    // One package for all the tests: CPack's run is the slow part.
    static void SetUpTestSuite() {
        for (const char* tool : {"dpkg-deb", "dpkg-shlibdeps", "file"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                missing_ =
                    QString(tool) + " is not installed (scripts/install-deps.sh installs it)";
        if (!missing_.isEmpty()) return;
        dir_ = new QTemporaryDir;
        const ToolRun made =
            runTool(CPACK_EXE,
                    {"-G", "DEB", "-B", dir_->path(), "--config", BUILD_DIR "/CPackConfig.cmake"},
                    dir_->path()); // "packages" lands there
        deb_ = dir_->filePath("packages/korvote_" KORVO_VERSION "_amd64.deb");
        if (made.exitCode != 0 || !QFileInfo::exists(deb_)) made_ = made.out;
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    void SetUp() override {
        if (!missing_.isEmpty()) GTEST_SKIP() << missing_.toStdString();
        ASSERT_TRUE(made_.isEmpty()) << made_.toStdString();
    }

    static QTemporaryDir* dir_;
    static QString deb_, missing_, made_;
};

QTemporaryDir* Package::dir_ = nullptr;
QString Package::deb_, Package::missing_, Package::made_;

TEST_F(Package, LintianFindsNoErrorAndAppStreamValidatesTheMetadata) {
    if (QStandardPaths::findExecutable("lintian").isEmpty() ||
        QStandardPaths::findExecutable("appstreamcli").isEmpty())
        GTEST_SKIP() << "lintian or appstreamcli is not installed (scripts/install-deps.sh "
                        "installs them)";
    const ToolRun lintian = runTool("lintian", {"--pedantic", "--tag-display-limit", "0", deb_});
    QStringList errors, warnings;
    for (const QString& line : lintian.out.split('\n')) {
        if (line.startsWith("E: ")) errors << line;
        if (line.startsWith("W: ") || line.startsWith("P: "))
            if (!kNamedWarnings.contains(line.section(' ', 2, 2))) warnings << line;
    }
    EXPECT_EQ(errors.join('\n').toStdString(), "");
    EXPECT_EQ(warnings.join('\n').toStdString(), "");
    EXPECT_TRUE(lintian.exitCode == 0 || !errors.isEmpty()) << lintian.out.toStdString();

    const QString root = dir_->filePath("validate");
    ASSERT_EQ(runTool("dpkg-deb", {"-x", deb_, root}).exitCode, 0);
    const ToolRun valid = runTool(
        "appstreamcli", {"validate", "--no-net", "--pedantic",
                         root + "/usr/" DATA_DIR "/metainfo/" APPSTREAM_ID ".metainfo.xml"});
    EXPECT_EQ(valid.exitCode, 0) << valid.out.toStdString();
}

TEST_F(Package, HoldsTheInstalledFilesUnderUsrAndDependsOnWhatTheyLink) {
    const QString root = dir_->filePath("root");
    ASSERT_EQ(runTool("dpkg-deb", {"-x", deb_, root}).exitCode, 0);
    QStringList expected = installedFiles("usr/");
    EXPECT_EQ(tree(root).join('\n').toStdString(), expected.join('\n').toStdString());
    for (const QString& file : expected)
        if (file.startsWith("usr/bin/") || file.startsWith("usr/libexec/"))
            EXPECT_TRUE(QFileInfo(root + "/" + file).isExecutable()) << file.toStdString();

    const auto field = [&](const char* name) {
        return runTool("dpkg-deb", {"-f", deb_, name}).out.trimmed();
    };
    EXPECT_EQ(field("Package"), "korvote");
    EXPECT_EQ(field("Version"), KORVO_VERSION);
    EXPECT_EQ(field("Architecture"), "amd64");
    // Found by dpkg-shlibdeps from the libraries the programs link.
    const QStringList depends = field("Depends").split(", ");
    for (const char* library : {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6network6",
                                "libbox2d2", "libgif7", "zlib1g", "libc6", "libstdc++6"}) {
        EXPECT_TRUE(std::any_of(depends.begin(), depends.end(),
                                [&](const QString& d) { return d.section(' ', 0, 0) == library; }))
            << library << " in " << field("Depends").toStdString();
    }

    // The unpacked programs run from there: the version and a command that
    // needs the helper in libexec.
    const ToolRun version = runTool(root + "/usr/bin/trackpack", {"--version"});
    EXPECT_EQ(version.out, "trackpack " KORVO_VERSION "\n");
    const ToolRun sample = runTool(root + "/usr/bin/trackpack", {"sample", root + "/s.mrg"});
    ASSERT_EQ(sample.exitCode, 0) << sample.out.toStdString();
    QProcess pictures;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    pictures.setProcessEnvironment(env);
    pictures.start(root + "/usr/bin/trackpack", {"pictures", root + "/s.mrg", root + "/gif"});
    ASSERT_TRUE(pictures.waitForFinished(60000));
    EXPECT_EQ(pictures.exitCode(), 0) << pictures.readAllStandardError().toStdString();
    EXPECT_EQ(QDir(root + "/gif").entryList(QDir::Files).size(), 30 + 1);
}

} // namespace
