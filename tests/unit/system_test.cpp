#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QStringList>

#include "platform/db/connection.h"
#include "platform/system.h"
#include "support/program_folder.h"

namespace {

TEST(BasicRandom, StartsFromTheSameStateEveryTime) {
    platform::BasicRandom a;
    platform::BasicRandom b;
    for (int i = 0; i < 100; ++i) {
        const float x = a.Next();
        EXPECT_EQ(x, b.Next());
        EXPECT_GE(x, 0.0f);
        EXPECT_LT(x, 1.0f);
    }
}

TEST(BasicRandom, FollowsTheTwentyFourBitRecurrence) {
    platform::BasicRandom r;
    std::uint32_t state = 0x50000;
    for (int i = 0; i < 5; ++i) {
        state = static_cast<std::uint32_t>((std::uint64_t{state} * 0x43FD43FDu + 0xC39EC3u) &
                                           0xFFFFFFu);
        EXPECT_EQ(r.Next(), static_cast<float>(state) / 16777216.0f);
    }
}

TEST(FormatNnSs, ShowsMinutesAndSecondsOfTheSpan) {
    const QDateTime now(QDate(2026, 12, 7), QTime(10, 0, 0));
    struct Case {
        qint64 ms;
        const char* shown;
    } cases[] = {
        {50 * 60 * 1000, "50:00"},       {90 * 60 * 1000, "30:00"},
        {(49 * 60 + 59) * 1000, "49:59"}, {0, "00:00"},
        {60 * 60 * 1000, "00:00"},        {-500, "00:00"},
        {61 * 1000 + 999, "01:01"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::FormatNnSs(now.addMSecs(c.ms), now), QString::fromUtf8(c.shown))
            << c.ms;
    }
}

TEST(DaysBetween, IsNegativeOnlyAfterTheEnd) {
    const QDateTime now(QDate(2026, 12, 7), QTime(10, 0, 0));
    EXPECT_EQ(platform::DaysBetween(now, now), 0.0);
    EXPECT_GT(platform::DaysBetween(now, now.addMSecs(1)), 0.0);
    EXPECT_LT(platform::DaysBetween(now, now.addMSecs(-1)), 0.0);
    EXPECT_DOUBLE_EQ(platform::DaysBetween(now, now.addDays(1)), 1.0);
}

TEST(JoinPath, FindsTheProgramFilesWhateverTheirCase) {
    const struct {
        QStringList files;  // on disk
        const char* tail;   // as the program writes it
        const char* found;  // relative to the program folder
    } cases[] = {
        {{"dsyjdc.ini"}, "\\dsyjdc.ini", "dsyjdc.ini"},
        {{"DSYJDC.INI"}, "\\dsyjdc.ini", "DSYJDC.INI"},
        {{"Dsyjdc.Ini", "dsyjdc.ini", "DSYJDC.INI"}, "\\dsyjdc.ini", "dsyjdc.ini"},
        {{"Dsyjdc.ini", "DSYJDC.INI"}, "\\dsyjdc.ini", "DSYJDC.INI"},  // code-point order
        {{".dsyjdc.ini"}, "\\dsyjdc.ini", "dsyjdc.ini"},
        {{"Korva.MDB"}, "\\korva.mdb", "Korva.MDB"},
        {{}, "\\korva.mdb", "korva.mdb"},
        {{"TP2/K0012.GIF"}, "\\tp2\\k0012.gif", "TP2/K0012.GIF"},
        {{"tp2/m0001.gif"}, "\\tp2\\M0001.gif", "tp2/m0001.gif"},
        {{"Tp2/C0001.GIF", "Tp2/C0001.gif", "Tp2/c0001.gif"}, "\\tp2\\C0001.gif", "Tp2/C0001.gif"},
        {{"Tp2/C0001.GIF", "Tp2/c0001.gif"}, "\\tp2\\C0001.gif", "Tp2/C0001.GIF"},
        {{"TP2/x"}, "\\tp2\\K9999.gif", "TP2/K9999.gif"},
        {{"tp2/K0012.gif", "TP2/K0012.gif"}, "\\tp2\\K0012.gif", "tp2/K0012.gif"},
    };
    for (const auto& c : cases) {
        testing_support::ProgramFolder folder;
        for (const QString& file : c.files) folder.Put(file);
        EXPECT_EQ(platform::JoinPath(folder.Path(), QString::fromUtf8(c.tail)),
                  folder.File(QString::fromUtf8(c.found)))
            << c.tail << " among " << c.files.join(QLatin1Char(' ')).toStdString();
    }
}

TEST(JoinPath, TheDatabaseIsOpenedWhateverTheCaseOfItsName) {
    testing_support::ProgramFolder folder;
    folder.Put(QStringLiteral("KORVA.MDB"));  // an empty file is an empty database
    db::Connection conn;
    conn.Open(QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.3.51;Data Source=") + folder.Path() +
              QStringLiteral("\\korva.mdb;Jet OLEDB:"));
    EXPECT_EQ(conn.State(), db::adStateOpen);
    EXPECT_EQ(conn.DataSource(), folder.File(QStringLiteral("KORVA.MDB")));
    EXPECT_FALSE(QFile::exists(folder.File(QStringLiteral("korva.mdb")))) << "no second database";
}

}  // namespace
