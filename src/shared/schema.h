#pragma once
// The tables of korva.mdb, as the sample bank generator and the tests create them.
// The terminal itself only reads sj and sjname and writes sjdj.

namespace shared {

// Statements that create the three tables and their indexes in an empty database,
// separated by semicolons (for sqlite3_exec).
const char* SchemaSql();

}  // namespace shared
