// A table of names in several scripts, for the reports of text that is not
// ASCII: Latin letters with accents, Greek, Cyrillic, CJK ideographs (two
// cells each), an emoji (two cells), a letter with a combining accent (no
// cell of its own) and a byte that is no UTF-8.
#pragma once

#include <string>
#include <vector>

namespace trx::test {

// The rows (id, name, city) as stored.
std::vector<std::vector<std::string>> MixedScriptRows();
// SQL that makes the table "names" (id INTEGER, name VARCHAR(20), city
// VARCHAR(12)) of those rows.
std::string MixedScriptTableSql();
// The title row and the rows as they read after the report: the byte that
// is no UTF-8 as U+FFFD.
std::vector<std::vector<std::string>> MixedScriptRowsAsShown();

} // namespace trx::test
