#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "support/build_dir.h"
#include "support/program_folder.h"

namespace {

// The built terminal, copied alone into a program folder of the test's own.
class ProgramStart : public ::testing::Test {
protected:
    testing_support::ProgramFolder folder;
    QString program;
    QTemporaryDir runtime;

    void SetUp() override {
        const QString built = testing_support::BuildDir() + QStringLiteral("/src/derravance");
        ASSERT_TRUE(QFile::exists(built)) << built.toStdString();
        program = folder.File(QStringLiteral("derravance"));
        ASSERT_TRUE(QFile::copy(built, program));
    }

    // Runs it; returns the exit status, or -1 when it did not end by itself.
    int Run(QByteArray* output = nullptr, bool withDisplay = true) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        if (withDisplay) env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(folder.Path());
        process.start(program, {});
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        if (output != nullptr) *output = process.readAllStandardOutput() +
                                         process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    }
};

TEST_F(ProgramStart, WithoutSettingsFileEndsAtOnceAndSilently) {
    QByteArray output;
    EXPECT_EQ(Run(&output), 2);
    EXPECT_TRUE(output.isEmpty()) << output.constData();
}

TEST_F(ProgramStart, WithTooFewPapersEndsAtOnceAndSilently) {
    folder.WriteSettings(QStringLiteral("4"), QStringLiteral("1"));
    QByteArray output;
    EXPECT_EQ(Run(&output), 2);
    EXPECT_TRUE(output.isEmpty()) << output.constData();
}

TEST_F(ProgramStart, WithoutDisplayEndsWithTheReasonOnStandardError) {
    folder.WriteSettings(QStringLiteral("5"), QStringLiteral("1"));
    QByteArray output;
    EXPECT_EQ(Run(&output, false), 1);
    EXPECT_TRUE(output.contains("no display")) << output.constData();
}

}  // namespace
