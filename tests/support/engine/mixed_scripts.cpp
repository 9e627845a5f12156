#include "support/engine/mixed_scripts.h"

namespace trx::test {

std::vector<std::vector<std::string>> MixedScriptRows() {
    return {
        {"1", "José Müller", "Zürich"},    {"2", "Αθηνά Παππά", "Θεσσαλονίκη"},
        {"3", "Дмитрий Иванов", "Москва"}, {"4", "王小明", "北京市"},
        {"5", "Emoji 😀 fan", "Café"},      {"6", "Zoe\xCC\x88 Åberg", "Åland"}, // e and a combining diaeresis
        {"7", "Bad \xFF byte", "Nowhere"},
    };
}

std::string MixedScriptTableSql() {
    auto literal = [](const std::string& Text) {
        // As bytes, so that the byte that is no UTF-8 is stored as it is.
        static const char* hex = "0123456789ABCDEF";
        std::string r = "CAST(X'";
        for (unsigned char c : Text) {
            r += hex[c >> 4];
            r += hex[c & 15];
        }
        return r + "' AS TEXT)";
    };
    std::string sql = "CREATE TABLE names(id INTEGER, name VARCHAR(20), city VARCHAR(12));";
    for (const auto& row : MixedScriptRows())
        sql += "INSERT INTO names VALUES(" + row[0] + ", " + literal(row[1]) + ", " + literal(row[2]) + ");";
    return sql;
}

std::vector<std::vector<std::string>> MixedScriptRowsAsShown() {
    std::vector<std::vector<std::string>> rows{{"id", "name", "city"}};
    for (auto row : MixedScriptRows()) {
        for (std::string& field : row)
            for (std::size_t at = field.find('\xFF'); at != std::string::npos; at = field.find('\xFF'))
                field.replace(at, 1, "\xEF\xBF\xBD");
        rows.push_back(row);
    }
    return rows;
}

} // namespace trx::test
