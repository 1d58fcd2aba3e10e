// File > "Создать готовую игру *.jar": the packer is found beside the editor
// or on the PATH, and started in the base folder without arguments.
#include "dist/packer_launch.h"

#include "mail_test_util.h"
#include "text/lang_lines.h"

#include <QElapsedTimer>
#include <QThread>

using namespace korvo;
using namespace korvo::test;

TEST(PackerLaunch, StartsThePackerInTheBaseFolderOrSaysWhereItLooked) {
    QTemporaryDir programDir, pathDir, base;
    const QString marker = base.filePath("started.txt");
    const QString script = pathDir.filePath(kPackerName);
    putFile(script, "#!/bin/sh\necho \"$# $(pwd)\" > started.txt\n");
    QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);

    PackerLookup lookup{programDir.path(), {base.filePath("missing"), pathDir.path()}};
    EXPECT_EQ(findPacker(lookup), script);
    EXPECT_TRUE(buildGameArchive(base.path(), lookup).empty());
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(marker) && clock.elapsed() < 10000) QThread::msleep(20);
    QThread::msleep(50);
    EXPECT_EQ(fileBytes(marker).trimmed(),
              "0 " + QFileInfo(base.path()).canonicalFilePath().toUtf8());

    // The program's own folder comes first, once the file there may run.
    const QString own = programDir.filePath(kPackerName);
    QFile::copy(script, own);
    QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(findPacker(lookup), script);
    QFile::setPermissions(own, QFile::permissions(script));
    EXPECT_EQ(findPacker(lookup), own);

    const PackerLookup nowhere{programDir.filePath("bin"), {base.filePath("missing")}};
    const QString message = LangLines().say(buildGameArchive(base.path(), nowhere));
    EXPECT_TRUE(message.contains(programDir.filePath("bin"))) << message.toStdString();
    EXPECT_TRUE(message.contains(base.filePath("missing")));
}
