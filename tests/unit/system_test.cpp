#include "platform/system.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "support/program_folder.h"

namespace {

// The countdown shows the span's whole minutes and seconds; a span below zero, as after
// a time-out whose hand-in is tried again, shows its own size.
TEST(Countdown, ShowsTheMinutesAndSecondsOfTheSpan) {
    const struct {
        qint64 ms;
        const char* shown;
    } cases[] = {{61 * 1000 + 999, "01:01"}, {-500, "00:00"}, {-61 * 1000, "01:01"}};
    for (const auto& c : cases) {
        EXPECT_EQ(platform::FormatNnSs(c.ms), QString::fromUtf8(c.shown)) << c.ms;
    }
}

// The picture folder and its pictures are found whatever their case; only a plain file
// counts as present.
TEST(JoinPath, FindsTheProgramFilesWhateverTheirCase) {
    const struct {
        QStringList files;  // on disk
        const char* tail;   // as the program writes it
        const char* found;  // relative to the program folder
        bool plain;
    } cases[] = {
        {{"TP2/K0012.GIF"}, "\\tp2\\k0012.gif", "TP2/K0012.GIF", true},
        {{"tp2/m0001.gif"}, "\\tp2\\M0001.gif", "tp2/m0001.gif", true},
        {{"dsyjdc.ini/x"}, "\\dsyjdc.ini", "dsyjdc.ini", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tail << " among " << c.files.join(' ').toStdString());
        testing_support::ProgramFolder folder;
        for (const QString& file : c.files) folder.Put(file);
        const QString found = platform::JoinPath(folder.Path(), QString::fromUtf8(c.tail));
        EXPECT_EQ(found, folder.File(QString::fromUtf8(c.found)));
        EXPECT_EQ(platform::IsPlainFile(found), c.plain);
    }
}

}  // namespace
