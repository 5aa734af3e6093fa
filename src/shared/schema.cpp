#include "shared/schema.h"

namespace shared {

const char* SchemaSql() {
    // Kind numbers and paper codes are TEXT so that "1" and "01" stay apart; th, km
    // and bk take whatever the bank holds. AUTOINCREMENT numbers sheet rows in the
    // order they are inserted and never reuses a number.
    return "CREATE TABLE sjname (sjbh TEXT, sjmc TEXT, lb TEXT NOT NULL, kssj NUMERIC,"
           " jgfs NUMERIC);\n"
           "CREATE TABLE sj (th, tx TEXT NOT NULL, km, tm TEXT, da1 TEXT, da2 TEXT,"
           " da3 TEXT, da4 TEXT, da5 TEXT, da6 TEXT, da TEXT, bk, fz NUMERIC, sjmc TEXT,"
           " pcxname TEXT);\n"
           "CREATE INDEX sj_sjmc ON sj (sjmc);\n"
           "CREATE TABLE sjdj (id INTEGER PRIMARY KEY AUTOINCREMENT, th, tx TEXT NOT NULL,"
           " km, tm TEXT, da1 TEXT, da2 TEXT, da3 TEXT, da4 TEXT, da5 TEXT, da6 TEXT,"
           " da TEXT, bk, fz NUMERIC, sjmc TEXT, pcxname TEXT, zh TEXT, bz TEXT,"
           " sjda TEXT, df NUMERIC DEFAULT 0, xq NUMERIC DEFAULT 0);\n"
           "CREATE INDEX sjdj_zh_sjmc ON sjdj (zh, sjmc);\n";
}

}  // namespace shared
