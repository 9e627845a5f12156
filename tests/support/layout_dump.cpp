#include "support/layout_dump.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace trx::test {
namespace {

std::string Quoted(const std::string& S) {
    std::string q = "\"";
    for (const char c : S) {
        if (c == '"' || c == '\\') q += '\\';
        q += c;
    }
    return q + "\"";
}

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> lines;
    std::istringstream in(Text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

std::string Size(int Value) { return Value < 0 ? std::string("default") : std::to_string(Value); }

// A property's value as written; quoted when it holds a blank or a quote
// or is empty.
std::string Value(const std::string& S) {
    return S.empty() || S.find_first_of(" \"\\") != std::string::npos ? Quoted(S) : S;
}

void Pairs(std::ostringstream& Out, const TPropList& List) {
    for (const auto& [name, value] : List) Out << " " << name << "=" << Value(value);
}

} // namespace

std::string DumpLayout(const TFormDesc& Desc) {
    std::ostringstream out;
    out << "form " << Desc.Name;
    if (!Desc.Caption.empty()) out << " caption " << Quoted(Desc.Caption);
    if (Desc.Left != 0 || Desc.Top != 0) out << " at " << Desc.Left << ", " << Desc.Top;
    out << " client " << Size(Desc.ClientWidth) << ", " << Size(Desc.ClientHeight);
    Pairs(out, Desc.Props);
    Pairs(out, Desc.Events);
    out << "\n";
    for (const TControlDesc& c : Desc.Controls) {
        out << c.Kind << " " << c.Name;
        if (!c.Parent.empty()) out << " in " << c.Parent;
        if (c.Left != 0 || c.Top != 0 || c.Width >= 0 || c.Height >= 0)
            out << " at " << c.Left << ", " << c.Top << ", " << Size(c.Width) << ", " << Size(c.Height);
        if (!c.Caption.empty()) out << " caption " << Quoted(c.Caption);
        if (!c.Hint.empty()) out << " hint " << Quoted(c.Hint);
        if (!c.Items.empty()) {
            out << " items [";
            for (std::size_t i = 0; i < c.Items.size(); ++i) out << (i ? ", " : "") << Quoted(c.Items[i]);
            out << "]";
        }
        Pairs(out, c.Props);
        Pairs(out, c.Events);
        out << "\n";
    }
    return out.str();
}

void ExpectGolden(const std::filesystem::path& Golden, const std::string& Text) {
    const char* update = std::getenv("TRX_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::ofstream(Golden, std::ios::binary) << Text;
        return;
    }
    std::ifstream in(Golden, std::ios::binary);
    ASSERT_TRUE(in) << "no golden file " << Golden << " (TRX_UPDATE_GOLDEN=1 writes it)";
    std::ostringstream expected;
    expected << in.rdbuf();
    if (Text == expected.str()) return;
    // The first line that differs; the whole change shows as the diff of
    // the file once rewritten.
    const std::vector<std::string> is = Lines(Text), was = Lines(expected.str());
    std::size_t i = 0;
    while (i < is.size() && i < was.size() && is[i] == was[i]) ++i;
    auto at = [i](const std::vector<std::string>& L) { return i < L.size() ? L[i] : std::string("(the end)"); };
    ADD_FAILURE() << "the layout differs from " << Golden << " at line " << i + 1 << ":\n  now:    " << at(is)
                  << "\n  golden: " << at(was)
                  << "\n(TRX_UPDATE_GOLDEN=1 rewrites the file after a deliberate change; its diff shows the change)";
}

} // namespace trx::test
