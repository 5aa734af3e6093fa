#include "platform/system.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "support/program_folder.h"

namespace {

// Never seeded: every generator starts from the same state and follows the classic
// 24-bit recurrence.
TEST(BasicRandom, FollowsTheTwentyFourBitRecurrenceFromAFixedStart) {
    platform::BasicRandom r;
    std::uint32_t state = 0x50000;
    for (int i = 0; i < 100; ++i) {
        state = static_cast<std::uint32_t>((std::uint64_t{state} * 0x43FD43FDu + 0xC39EC3u) &
                                           0xFFFFFFu);
        ASSERT_EQ(r.Next(), static_cast<float>(state) / 16777216.0f) << i;
    }
}

// The countdown shows the span's minutes and seconds: whole hours drop out, and a span
// just below zero shows its own size.
TEST(Countdown, ShowsTheMinutesAndSecondsOfTheSpan) {
    const struct {
        qint64 ms;
        const char* shown;
    } cases[] = {
        {50 * 60 * 1000, "50:00"}, {90 * 60 * 1000, "30:00"}, {(49 * 60 + 59) * 1000, "49:59"},
        {0, "00:00"},              {60 * 60 * 1000, "00:00"}, {-500, "00:00"},
        {61 * 1000 + 999, "01:01"}, {-61 * 1000, "01:01"},    {1, "00:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::FormatNnSs(c.ms), QString::fromUtf8(c.shown)) << c.ms;
    }
}

// The program's files are found whatever their case, folders too; the exact name wins,
// else the first in code-point order. Only a plain file counts as present.
TEST(JoinPath, FindsTheProgramFilesWhateverTheirCase) {
    const struct {
        QStringList files;  // on disk
        const char* tail;   // as the program writes it
        const char* found;  // relative to the program folder
        bool plain;
    } cases[] = {
        {{"dsyjdc.ini"}, "\\dsyjdc.ini", "dsyjdc.ini", true},
        {{"DSYJDC.INI"}, "\\dsyjdc.ini", "DSYJDC.INI", true},
        {{"Dsyjdc.Ini", "dsyjdc.ini", "DSYJDC.INI"}, "\\dsyjdc.ini", "dsyjdc.ini", true},
        {{"Dsyjdc.ini", "DSYJDC.INI"}, "\\dsyjdc.ini", "DSYJDC.INI", true},  // code-point order
        {{".dsyjdc.ini"}, "\\dsyjdc.ini", "dsyjdc.ini", false},
        {{".dsyjdc.ini"}, "\\.dsyjdc.ini", ".dsyjdc.ini", false},  // hidden
        {{"dsyjdc.ini/x"}, "\\dsyjdc.ini", "dsyjdc.ini", false},    // a folder
        {{"Korva.MDB"}, "\\korva.mdb", "Korva.MDB", true},
        {{}, "\\korva.mdb", "korva.mdb", false},
        {{"TP2/K0012.GIF"}, "\\tp2\\k0012.gif", "TP2/K0012.GIF", true},
        {{"tp2/m0001.gif"}, "\\tp2\\M0001.gif", "tp2/m0001.gif", true},
        {{"Tp2/C0001.GIF", "Tp2/C0001.gif", "Tp2/c0001.gif"}, "\\tp2\\C0001.gif", "Tp2/C0001.gif", true},
        {{"Tp2/C0001.GIF", "Tp2/c0001.gif"}, "\\tp2\\C0001.gif", "Tp2/C0001.GIF", true},
        {{"TP2/x"}, "\\tp2\\K9999.gif", "TP2/K9999.gif", false},
        {{"tp2/K0012.gif", "TP2/K0012.gif"}, "\\tp2\\K0012.gif", "tp2/K0012.gif", true},
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
