// Building and handing in a 100-question answer sheet through the database layer,
// against the same work done with the engine's own calls, on a bank of 1,000 papers
// of 100 questions. Prints both medians and their ratio.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "shared/recordsets.h"
#include "shared/schema.h"
#include "shared/statements.h"
#include "median_reporter.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

namespace {

constexpr int kPapers = 1000;
constexpr int kQuestions = 100;
const QString kAdmission = QStringLiteral("123456");

QString g_folder;

QString PaperName(int paper) {
    return QStringLiteral("P%1").arg(paper, 4, 10, QLatin1Char('0'));
}

// The answer a candidate gives to question i: every third one right.
QString Mask(int i) {
    return i % 3 == 0 ? QStringLiteral("100000") : QStringLiteral("010000");
}

void Check(sqlite3* db, int rc, const std::string& what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        throw std::runtime_error(what + ": " + sqlite3_errmsg(db));
    }
}

void MakeBank(const QString& path) {
    sqlite3* db = nullptr;
    Check(db, sqlite3_open(QFile::encodeName(path).constData(), &db), "open");
    Check(db, sqlite3_exec(db, shared::SchemaSql(), nullptr, nullptr, nullptr), "schema");
    Check(db, sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), "begin");
    sqlite3_stmt* st = nullptr;
    Check(db,
          sqlite3_prepare_v2(db,
                             "INSERT INTO sj (th, tx, km, tm, da1, da2, da3, da4, da5, da6, da,"
                             " bk, fz, sjmc, pcxname) VALUES (?1, '单选题', 1,"
                             " '在道路上驾驶机动车应当遵守的规定是哪一项？' || ?1, '选项一',"
                             " '选项二', '选项三', '选项四', NULL, NULL, '100000', ?2, 1, ?3,"
                             " NULL)",
                             -1, &st, nullptr),
          "prepare");
    for (int paper = 0; paper < kPapers; ++paper) {
        const QByteArray name = PaperName(paper).toUtf8();
        for (int q = 1; q <= kQuestions; ++q) {
            sqlite3_bind_int(st, 1, q);
            sqlite3_bind_int(st, 2, (q * 37) % kQuestions);
            sqlite3_bind_text(st, 3, name.constData(), -1, SQLITE_TRANSIENT);
            Check(db, sqlite3_step(st), "insert");
            sqlite3_reset(st);
        }
    }
    sqlite3_finalize(st);
    Check(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), "commit");
    sqlite3_close(db);
}

// ---- through the layer, as the terminal does it ----

void LayerExam(db::Connection& conn, db::Recordset& sheet, db::Recordset& work,
               const QString& paper) {
    conn.BeginTrans();
    shared::OpenRecordset(work, conn, statements::S4(paper), db::adLockOptimistic, false);
    if (work.RecordCount() < 10) throw std::runtime_error("paper too small");
    work.Close();
    conn.Execute(statements::S5(kAdmission));
    conn.Execute(statements::S6(paper, kAdmission));
    shared::OpenRecordset(sheet, conn, statements::S7(paper, kAdmission), db::adLockBatchOptimistic,
                        false);
    sheet.MoveFirst();
    benchmark::DoNotOptimize(sheet.Field(QStringLiteral("id")).ToDouble() - 1);
    sheet.SetActiveConnection(nullptr);
    conn.CommitTrans();

    for (int i = 0; !sheet.Eof(); sheet.MoveNext(), ++i) {
        const QString mask = Mask(i);
        sheet.SetField(QStringLiteral("sjda"), mask);
        const bool right = sheet.Field(QStringLiteral("da")) == db::Value(mask);
        sheet.SetField(QStringLiteral("df"),
                       right ? sheet.Field(QStringLiteral("fz")) : db::Value(0));
        sheet.SetField(QStringLiteral("xq"), 1);
    }

    conn.BeginTrans();
    sheet.SetActiveConnection(&conn);
    sheet.UpdateBatch(db::adAffectAllChapters);
    shared::OpenRecordset(work, conn, statements::S8(QStringLiteral("1")), db::adLockOptimistic,
                        false);
    shared::OpenRecordset(work, conn, statements::S9(paper, kAdmission), db::adLockOptimistic, false);
    benchmark::DoNotOptimize(work.Field(0).ToDouble());
    conn.Execute(statements::S10(paper, kAdmission));
    conn.CommitTrans();
}

void BM_Layer(benchmark::State& state) {
    db::Connection conn;
    conn.CursorLocation = db::adUseClient;
    conn.Open(QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.3.51;Data Source=") + g_folder +
              QStringLiteral("\\korva.mdb;Jet OLEDB:"));
    db::Recordset sheet;
    db::Recordset work;
    int paper = 0;
    for (auto _ : state) LayerExam(conn, sheet, work, PaperName(paper++ % kPapers));
}

// ---- the same work with the engine's calls ----

using RawValue = std::variant<std::monostate, sqlite3_int64, double, std::string>;
using RawRow = std::vector<RawValue>;

std::vector<RawRow> RawQuery(sqlite3* db, const QString& sql, int* idColumn = nullptr) {
    sqlite3_stmt* st = nullptr;
    Check(db, sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr), "prepare");
    const int columns = sqlite3_column_count(st);
    if (idColumn) {
        for (int i = 0; i < columns; ++i) {
            if (sqlite3_stricmp(sqlite3_column_name(st, i), "id") == 0) *idColumn = i;
        }
    }
    std::vector<RawRow> rows;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        RawRow row(static_cast<std::size_t>(columns));
        for (int i = 0; i < columns; ++i) {
            switch (sqlite3_column_type(st, i)) {
                case SQLITE_NULL:
                    break;
                case SQLITE_INTEGER:
                    row[i] = sqlite3_column_int64(st, i);
                    break;
                case SQLITE_FLOAT:
                    row[i] = sqlite3_column_double(st, i);
                    break;
                default:
                    row[i] = std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                         static_cast<std::size_t>(sqlite3_column_bytes(st, i)));
            }
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(st);
    Check(db, rc, "step");
    return rows;
}

void RawExec(sqlite3* db, const QString& sql) {
    sqlite3_stmt* st = nullptr;
    Check(db, sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr), "prepare");
    const int rc = sqlite3_step(st);
    sqlite3_finalize(st);
    Check(db, rc, "exec");
}

void Bind(sqlite3_stmt* st, int position, const RawValue& value) {
    if (const auto* i = std::get_if<sqlite3_int64>(&value)) {
        sqlite3_bind_int64(st, position, *i);
    } else if (const auto* d = std::get_if<double>(&value)) {
        sqlite3_bind_double(st, position, *d);
    } else if (const auto* s = std::get_if<std::string>(&value)) {
        sqlite3_bind_text(st, position, s->data(), static_cast<int>(s->size()), SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_null(st, position);
    }
}

// sjdj's columns in table order: id first, then sjda, df and xq at 18, 19 and 20.
const char* const kSjdjColumns[] = {"id",   "th",      "tx",  "km",  "tm",   "da1", "da2",
                                    "da3",  "da4",     "da5", "da6", "da",   "bk",  "fz",
                                    "sjmc", "pcxname", "zh",  "bz",  "sjda", "df",  "xq"};

void RawExam(sqlite3* db, const QString& paper) {
    RawExec(db, QStringLiteral("BEGIN IMMEDIATE"));
    if (RawQuery(db, statements::S4(paper)).size() < 10)
        throw std::runtime_error("paper too small");
    RawExec(db, db::Connection::TranslateDialect(statements::S5(kAdmission)));
    RawExec(db, statements::S6(paper, kAdmission));
    int id = 0;
    const std::vector<RawRow> original = RawQuery(db, statements::S7(paper, kAdmission), &id);
    benchmark::DoNotOptimize(std::get<sqlite3_int64>(original.front()[id]) - 1);
    RawExec(db, QStringLiteral("COMMIT"));

    std::vector<RawRow> current = original;
    for (std::size_t i = 0; i < current.size(); ++i) {
        const std::string mask = Mask(static_cast<int>(i)).toStdString();
        RawRow& row = current[i];
        row[18] = mask;
        row[19] = RawValue(mask) == row[11] ? row[13] : RawValue(sqlite3_int64{0});
        row[20] = sqlite3_int64{1};
    }

    // As the layer's batch does: only the changed rows, each set and found by its key and
    // the original values of the columns it changes; one statement per such shape.
    RawExec(db, QStringLiteral("BEGIN IMMEDIATE"));
    std::map<unsigned, sqlite3_stmt*> updates;
    for (std::size_t r = 0; r < current.size(); ++r) {
        std::vector<int> changed;
        unsigned shape = 0;
        for (int c = 18; c <= 20; ++c) {
            if (current[r][c] == original[r][c]) continue;
            changed.push_back(c);
            shape |= 1u << (c - 18);
        }
        if (changed.empty()) continue;
        sqlite3_stmt*& update = updates[shape];
        if (!update) {
            std::string sql = "UPDATE sjdj SET ";
            for (std::size_t k = 0; k < changed.size(); ++k) {
                sql += std::string(k ? ", " : "") + kSjdjColumns[changed[k]] + " = ?";
            }
            sql += " WHERE id = ?";
            for (int c : changed) sql += std::string(" AND ") + kSjdjColumns[c] + " IS ?";
            Check(db, sqlite3_prepare_v2(db, sql.c_str(), -1, &update, nullptr), "prepare");
        } else {
            sqlite3_reset(update);
        }
        int position = 1;
        for (int c : changed) Bind(update, position++, current[r][c]);
        Bind(update, position++, original[r][0]);
        for (int c : changed) Bind(update, position++, original[r][c]);
        Check(db, sqlite3_step(update), "update");
        if (sqlite3_changes(db) != 1) throw std::runtime_error("row changed meanwhile");
    }
    for (const auto& [shape, update] : updates) sqlite3_finalize(update);
    benchmark::DoNotOptimize(RawQuery(db, statements::S8(QStringLiteral("1"))).size());
    benchmark::DoNotOptimize(RawQuery(db, statements::S9(paper, kAdmission)).front());
    RawExec(db, statements::S10(paper, kAdmission));
    RawExec(db, QStringLiteral("COMMIT"));
}

void BM_Raw(benchmark::State& state) {
    sqlite3* db = nullptr;
    const QString path = g_folder + QStringLiteral("/korva.mdb");
    Check(db,
          sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr),
          "open");
    sqlite3_busy_timeout(db, 3000);
    Check(db, sqlite3_exec(db, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr), "pragma");
    int paper = 0;
    for (auto _ : state) RawExam(db, PaperName(paper++ % kPapers));
    sqlite3_close(db);
}

BENCHMARK(BM_Layer)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Raw)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    g_folder = dir.path();
    MakeBank(dir.filePath(QStringLiteral("korva.mdb")));

    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    reporter.PrintRatio("sheet build + hand-in", "BM_Layer", "BM_Raw", "ms");
    return 0;
}
