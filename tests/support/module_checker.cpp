#include "support/module_checker.h"

#include <cctype>
#include <map>
#include <optional>
#include <set>

namespace qfw::testing {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool IsIdent(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool StartsWithWord(std::string_view lower, std::string_view word) {
    return lower.compare(0, word.size(), word) == 0 &&
           (lower.size() == word.size() || !IsIdent(lower[word.size()]));
}

// The leading identifier of `text`.
std::string Identifier(std::string_view text) {
    size_t n = 0;
    while (n < text.size() && IsIdent(text[n]))
        ++n;
    return std::string(text.substr(0, n));
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t stop = text.find_first_of("\r\n", pos);
        if (stop == std::string_view::npos)
            stop = text.size();
        lines.emplace_back(text.substr(pos, stop - pos));
        if (stop < text.size() && text[stop] == '\r' && stop + 1 < text.size() &&
            text[stop + 1] == '\n')
            ++stop;
        pos = stop + 1;
    }
    return lines;
}

// The index of the first code line: past VERSION, Object lines, the
// designer block and the module's Attribute lines of a saved file.
size_t FirstCodeLine(const std::vector<std::string>& lines) {
    size_t i = 0;
    if (lines.empty() || !StartsWithWord(Lower(Trim(lines[0])), "version"))
        return 0;
    ++i;
    while (i < lines.size() && StartsWithWord(Lower(Trim(lines[i])), "object"))
        ++i;
    int depth = 0;
    do {
        if (i >= lines.size())
            return i;
        const std::string t = Lower(Trim(lines[i]));
        if (StartsWithWord(t, "begin") || StartsWithWord(t, "beginproperty"))
            ++depth;
        else if (StartsWithWord(t, "end") || StartsWithWord(t, "endproperty"))
            --depth;
        ++i;
    } while (depth > 0);
    return i;
}

bool EndsWithContinuation(std::string_view text) {
    const std::string t = Trim(text);
    return t.size() >= 2 && t.back() == '_' && (t[t.size() - 2] == ' ' || t[t.size() - 2] == '\t');
}

// The statement without its comment (a ' outside a string) and trimmed.
std::string WithoutComment(std::string_view text) {
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            inString = !inString;
        if (text[i] == '\'' && !inString)
            return Trim(text.substr(0, i));
    }
    const std::string t = Trim(text);
    return StartsWithWord(Lower(t), "rem") ? std::string() : t;
}

// The statement past a leading line label ("Done:") or line number ("100").
std::string WithoutLabel(const std::string& statement) {
    size_t i = 0;
    if (!statement.empty() && std::isdigit(static_cast<unsigned char>(statement[0]))) {
        while (i < statement.size() && std::isdigit(static_cast<unsigned char>(statement[i])))
            ++i;
        if (i < statement.size() && statement[i] == ':')
            ++i;
        return Trim(statement.substr(i));
    }
    const std::string name = Identifier(statement);
    if (!name.empty() && statement.size() > name.size() && statement[name.size()] == ':' &&
        statement.compare(name.size(), 2, ":=") != 0) {
        return Trim(statement.substr(name.size() + 1));
    }
    return statement;
}

// The position of the ")" that closes the "(" at `open`, or npos.
size_t ClosingParenthesis(std::string_view text, size_t open) {
    int depth = 0;
    bool inString = false;
    for (size_t i = open; i < text.size(); ++i) {
        if (text[i] == '"')
            inString = !inString;
        if (inString)
            continue;
        if (text[i] == '(')
            ++depth;
        if (text[i] == ')' && --depth == 0)
            return i;
    }
    return std::string_view::npos;
}

// The positions of `c` outside parentheses and strings.
std::vector<size_t> TopLevel(std::string_view text, char c) {
    std::vector<size_t> at;
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            inString = !inString;
        if (inString)
            continue;
        if (text[i] == '(')
            ++depth;
        else if (text[i] == ')')
            --depth;
        else if (text[i] == c && depth == 0)
            at.push_back(i);
    }
    return at;
}

// One parameter as the compiler compares handlers with events.
struct Parameter {
    bool byVal = false;
    std::string type;  // lower case; "variant" when none is written
    bool operator==(const Parameter& o) const { return byVal == o.byVal && type == o.type; }
};

std::vector<Parameter> ParseParameters(std::string_view list) {
    std::vector<Parameter> parameters;
    if (Trim(list).empty())
        return parameters;
    size_t from = 0;
    std::vector<size_t> commas = TopLevel(list, ',');
    commas.push_back(list.size());
    for (size_t comma : commas) {
        std::string piece = Lower(Trim(list.substr(from, comma - from)));
        from = comma + 1;
        Parameter p;
        for (std::string_view word : {"optional", "byval", "byref", "paramarray"}) {
            if (StartsWithWord(piece, word)) {
                p.byVal = p.byVal || word == "byval";
                piece = Trim(piece.substr(word.size()));
            }
        }
        const size_t as = piece.find(" as ");
        p.type = as == std::string::npos ? "variant" : Trim(piece.substr(as + 4));
        p.type = Trim(p.type.substr(0, p.type.find('=')));
        parameters.push_back(p);
    }
    return parameters;
}

struct Header {
    int kind;  // 0 Sub, 1 Let, 2 Set, 3 Get, 4 Function
    std::string name;
    std::string parameters;
    std::string type;        // after the closing parenthesis's "As"; empty when none
    std::string returnType;  // `type` in lower case; "variant" when none is written
};

// The text after a leading "As " of `rest`, trimmed; empty without one.
std::string AsType(std::string_view rest) {
    const std::string t = Trim(rest);
    return StartsWithWord(Lower(t), "as") ? Trim(t.substr(2)) : std::string();
}

// The type an item text names: after ") As " when it has a parameter list,
// otherwise after " As ".
std::string ItemType(const std::string& item) {
    const size_t close = item.find(')');
    if (close != std::string::npos)
        return AsType(item.substr(close + 1));
    const size_t as = item.find(" As ");
    return as == std::string::npos ? std::string() : Trim(item.substr(as + 4));
}

std::optional<Header> ParseHeader(const std::string& statement) {
    std::string lower = Lower(statement);
    size_t at = 0;
    auto skip = [&](std::string_view word) {
        if (StartsWithWord(lower.substr(at), word)) {
            at = lower.find_first_not_of(" \t", at + word.size());
            if (at == std::string::npos)
                at = lower.size();
            return true;
        }
        return false;
    };
    if (!skip("public") && !skip("private"))
        skip("friend");
    skip("static");
    Header header{0, "", "", "", ""};
    if (skip("sub")) {
        header.kind = 0;
    } else if (skip("function")) {
        header.kind = 4;
    } else if (skip("property")) {
        if (skip("let"))
            header.kind = 1;
        else if (skip("set"))
            header.kind = 2;
        else if (skip("get"))
            header.kind = 3;
        else
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    header.name = Identifier(statement.substr(at));
    if (header.name.empty())
        return std::nullopt;
    const size_t open = statement.find('(', at);
    if (open != std::string::npos) {
        const size_t close = ClosingParenthesis(statement, open);
        header.parameters = statement.substr(
            open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
        if (close != std::string::npos)
            header.type = AsType(statement.substr(close + 1));
    } else {
        header.type = AsType(statement.substr(at + header.name.size()));
    }
    header.returnType = header.type.empty() ? "variant" : Lower(header.type);
    return header;
}

// The kind an End statement closes (as Header::kind, Let/Set/Get as 1), or
// nothing.
std::optional<int> EndKind(const std::string& lower) {
    if (!StartsWithWord(lower, "end"))
        return std::nullopt;
    const std::string what = Trim(lower.substr(3));
    if (StartsWithWord(what, "sub"))
        return 0;
    if (StartsWithWord(what, "function"))
        return 4;
    if (StartsWithWord(what, "property"))
        return 1;
    return std::nullopt;
}

// The event an "Event Name(" or "Public Event Name(" statement declares.
std::optional<std::string> DeclaredEvent(const std::string& statement) {
    std::string rest = statement;
    if (StartsWithWord(Lower(rest), "public"))
        rest = Trim(rest.substr(6));
    if (!StartsWithWord(Lower(rest), "event"))
        return std::nullopt;
    return Identifier(Trim(rest.substr(5)));
}

// Statements allowed in the declarations section, by first word.
bool IsDeclaration(const std::string& lower) {
    for (std::string_view word :
         {"option",  "dim",    "private", "public",     "global",  "const",  "event",
          "declare", "type",   "enum",    "implements", "defbool", "defint", "deflng",
          "defstr",  "defvar", "#if",     "#else",      "#elseif", "#end",   "#const"}) {
        if (StartsWithWord(lower, word))
            return true;
    }
    return false;
}

// Words that start statements other than calls.
bool StartsWithKeyword(const std::string& lower) {
    for (std::string_view word :
         {"call",   "set",        "let",    "if",    "elseif", "else",  "end",        "for",
          "next",   "do",         "loop",   "while", "wend",   "with",  "select",     "case",
          "dim",    "redim",      "static", "const", "exit",   "goto",  "gosub",      "on",
          "return", "raiseevent", "resume", "open",  "close",  "print", "input",      "line",
          "get",    "put",        "erase",  "mid",   "lset",   "rset",  "debug.print"}) {
        if (StartsWithWord(lower, word))
            return true;
    }
    return false;
}

class Checker {
  public:
    explicit Checker(const ModuleExpectations& expectations) : expectations_(expectations) {}

    void Statement(int line, const std::string& statement) {
        const std::string lower = Lower(statement);
        if (auto header = ParseHeader(statement)) {
            Open(line, *header);
            return;
        }
        if (auto kind = EndKind(lower)) {
            Close(line, *kind);
            return;
        }
        if (!current_) {
            Outside(line, statement, lower);
            return;
        }
        Inside(line, statement, lower);
    }

    std::vector<std::string> Finish() {
        if (current_)
            Problem(current_->line, current_->header.name + " has no End statement");
        CheckPropertyPairs();
        for (const auto& [line, name] : setTargets_) {
            const auto accessors = accessors_.find(Lower(name));
            if (accessors != accessors_.end() && accessors->second.count(2) == 0)
                Problem(line, "Set assigns to the property " + name +
                                  ", which has no Property Set: Invalid use of property");
        }
        for (const auto& [line, name] : raised_) {
            if (!events_.count(Lower(name)))
                Problem(line,
                        "RaiseEvent " + name + " raises an event the module does not declare");
        }
        return problems_;
    }

  private:
    struct OpenProc {
        int line;
        Header header;
    };

    void Problem(int line, const std::string& text) {
        problems_.push_back("line " + std::to_string(line) + ": " + text);
    }

    void Open(int line, const Header& header) {
        if (current_) {
            Problem(line, header.name + " starts inside " + current_->header.name);
        }
        seenProcedure_ = true;
        const std::string name = Lower(header.name);
        const std::string key = name + "/" + std::to_string(header.kind == 4 ? 0 : header.kind);
        const bool isProperty = header.kind >= 1 && header.kind <= 3;
        if (!procedures_.insert(key).second ||
            (isProperty ? methods_.count(name) > 0 : properties_.count(name) > 0)) {
            Problem(line, "Ambiguous name detected: " + header.name);
        }
        (isProperty ? properties_ : methods_).insert(name);
        if (isProperty)
            accessors_[name][header.kind] = OpenProc{line, header};
        CheckHandler(line, header);
        current_ = OpenProc{line, header};
    }

    void Close(int line, int kind) {
        if (!current_) {
            Problem(line, "End statement outside any procedure");
            return;
        }
        const int open = current_->header.kind;
        const int expected = open == 2 || open == 3 ? 1 : open;
        if (kind != expected)
            Problem(line, "End statement does not match " + current_->header.name);
        current_.reset();
    }

    void Outside(int line, const std::string& statement, const std::string& lower) {
        if (seenProcedure_) {
            Problem(line,
                    "Only comments may appear after End Sub, End Function, or End Property: " +
                        statement);
            return;
        }
        if (auto event = DeclaredEvent(statement)) {
            if (!events_.insert(Lower(*event)).second)
                Problem(line, "Ambiguous name detected: event " + *event);
            return;
        }
        if (StartsWithWord(lower, "type") || StartsWithWord(lower, "private type") ||
            StartsWithWord(lower, "public type") || StartsWithWord(lower, "enum") ||
            StartsWithWord(lower, "private enum") || StartsWithWord(lower, "public enum")) {
            inTypeBlock_ = true;
            return;
        }
        if (inTypeBlock_) {
            inTypeBlock_ = !StartsWithWord(lower, "end");
            return;
        }
        if (!IsDeclaration(lower))
            Problem(line, "Invalid outside procedure: " + statement);
    }

    void Inside(int line, const std::string& statement, const std::string& lower) {
        if (StartsWithWord(lower, "raiseevent")) {
            raised_.emplace_back(line, Identifier(Trim(statement.substr(10))));
            return;
        }
        if (DeclaredEvent(statement)) {
            Problem(line, "Invalid inside procedure: " + statement);
            return;
        }
        const Header& proc = current_->header;
        if (proc.kind == 0) {
            std::string target = lower;
            if (StartsWithWord(target, "set"))
                target = Trim(target.substr(3));
            const std::string name = Lower(proc.name);
            if (StartsWithWord(target, name) && Trim(target.substr(name.size())).rfind('=', 0) == 0)
                Problem(line, "Sub " + proc.name + " assigns to its own name: " + statement);
        }
        if (StartsWithWord(lower, "set")) {
            CheckSetValue(line, statement);
            NoteSetTarget(line, statement);
        }
        CheckCallSyntax(line, statement, lower);
    }

    // "Set Name = value" outside Name's own accessors assigns through the
    // module's Property Set Name when the module defines the property.
    void NoteSetTarget(int line, const std::string& statement) {
        const std::string assignment = Trim(statement.substr(3));
        const std::string target = Identifier(assignment);
        if (target.empty() || Trim(assignment.substr(target.size())).rfind('=', 0) != 0)
            return;
        if (Lower(target) != Lower(current_->header.name))
            setTargets_.emplace_back(line, target);
    }

    // "Set a = b" where a or b is known to be of an enumeration type.
    void CheckSetValue(int line, const std::string& statement) {
        const std::string assignment = Trim(statement.substr(3));
        const std::vector<size_t> equals = TopLevel(assignment, '=');
        if (equals.empty())
            return;
        for (const std::string& side :
             {assignment.substr(0, equals[0]), assignment.substr(equals[0] + 1)}) {
            const std::string type = TypeOf(Trim(side));
            for (const std::string& enumeration : expectations_.enumerationTypes) {
                if (!type.empty() && Lower(type) == Lower(enumeration)) {
                    Problem(line,
                            "Set assigns a value of the enumeration " + type + ": " + statement);
                    return;
                }
            }
        }
    }

    // The declared type of an expression the checker can tell: the current
    // procedure's name, one of its parameters, or a constituent's member
    // ("Text1.Shading", "txt(0).ShadeAt(Row)"); empty otherwise.
    std::string TypeOf(const std::string& expression) const {
        const std::string first = Identifier(expression);
        size_t at = first.size();
        if (at < expression.size() && expression[at] == '(') {
            const size_t close = ClosingParenthesis(expression, at);
            at = close == std::string::npos ? expression.size() : close + 1;
        }
        if (at >= expression.size() || expression[at] != '.')
            return DeclaredType(first);
        const std::string member = Lower(Identifier(expression.substr(at + 1)));
        for (const auto& [name, constituent] : expectations_.constituents) {
            if (Lower(name) != Lower(first))
                continue;
            for (const std::string& item : constituent.members) {
                if (Lower(Identifier(item)) == member)
                    return ItemType(item);
            }
        }
        return {};
    }

    // The type the current procedure's header declares `name` with: the
    // procedure's own (its result) or a parameter's.
    std::string DeclaredType(const std::string& name) const {
        const Header& proc = current_->header;
        if (Lower(name) == Lower(proc.name))
            return proc.type;
        const std::vector<size_t> commas = TopLevel(proc.parameters, ',');
        size_t from = 0;
        for (size_t i = 0; i <= commas.size(); ++i) {
            const size_t to = i < commas.size() ? commas[i] : proc.parameters.size();
            std::string piece = Trim(proc.parameters.substr(from, to - from));
            from = to + 1;
            for (std::string_view word : {"optional", "byval", "byref", "paramarray"}) {
                if (StartsWithWord(Lower(piece), word))
                    piece = Trim(piece.substr(word.size()));
            }
            const std::string parameter = Identifier(piece);
            if (!parameter.empty() && Lower(parameter) == Lower(name))
                return AsType(piece.substr(parameter.size()));
        }
        return {};
    }

    // A call statement "obj.Method(a, b)" needs Call or no parentheses.
    void CheckCallSyntax(int line, const std::string& statement, const std::string& lower) {
        if (StartsWithKeyword(lower) || statement.empty() || statement.back() != ')')
            return;
        if (!TopLevel(statement, '=').empty())
            return;
        // The "(" that the last ")" closes must follow the callee directly.
        size_t open = std::string::npos;
        for (size_t i = 0; i < statement.size(); ++i) {
            if (statement[i] == '(' && ClosingParenthesis(statement, i) == statement.size() - 1) {
                open = i;
                break;
            }
        }
        if (open == std::string::npos || open == 0 || !IsIdent(statement[open - 1]))
            return;
        const std::string callee = statement.substr(0, open);
        if (!TopLevel(callee, ' ').empty())
            return;
        const std::string inside = statement.substr(open + 1, statement.size() - open - 2);
        if (!TopLevel(inside, ',').empty())
            Problem(line, "several arguments in parentheses without Call: " + statement);
    }

    // The accessors of one property pair up: a Let or Set takes the Get's
    // parameters (same count and types) and then one value parameter of the
    // Get's return type; and a Let or Set takes at least that value.
    void CheckPropertyPairs() {
        for (const auto& [name, kinds] : accessors_) {
            const auto get = kinds.find(3);
            for (int kind : {1, 2}) {
                const auto put = kinds.find(kind);
                if (put == kinds.end())
                    continue;
                const Header& header = put->second.header;
                std::vector<Parameter> parameters = ParseParameters(header.parameters);
                if (parameters.empty()) {
                    Problem(put->second.line,
                            "Property " + header.name + " has no value parameter");
                    continue;
                }
                if (get == kinds.end())
                    continue;
                std::vector<Parameter> expected = ParseParameters(get->second.header.parameters);
                expected.push_back(
                    Parameter{parameters.back().byVal, get->second.header.returnType});
                bool same = expected.size() == parameters.size();
                for (size_t i = 0; same && i < expected.size(); ++i)
                    same = expected[i].type == parameters[i].type;
                if (!same) {
                    Problem(put->second.line,
                            "Definitions of property procedures for the same property are "
                            "inconsistent: " +
                                header.name + "(" + header.parameters + ") for Get " +
                                get->second.header.name + "(" + get->second.header.parameters +
                                ") As " + get->second.header.returnType);
                }
            }
        }
    }

    // A handler "ctl_Event" of a constituent whose event list names Event.
    void CheckHandler(int line, const Header& header) {
        if (header.kind != 0)
            return;
        const size_t underscore = header.name.rfind('_');
        if (underscore == std::string::npos)
            return;
        const std::string control = Lower(header.name.substr(0, underscore));
        const std::string event = Lower(header.name.substr(underscore + 1));
        for (const auto& [name, constituent] : expectations_.constituents) {
            if (Lower(name) != control)
                continue;
            for (const std::string& item : constituent.events) {
                if (Lower(Identifier(item)) != event)
                    continue;
                std::string expected;
                const size_t open = item.find('(');
                if (open != std::string::npos)
                    expected = item.substr(open + 1, item.find(')', open) - open - 1);
                if (constituent.isArray)
                    expected = Trim(expected).empty() ? "Index As Integer"
                                                      : "Index As Integer, " + expected;
                if (!(ParseParameters(header.parameters) == ParseParameters(expected))) {
                    Problem(line, "Procedure declaration does not match description of event " +
                                      header.name + ": (" + header.parameters + ") for (" +
                                      expected + ")");
                }
            }
        }
    }

    const ModuleExpectations& expectations_;
    std::vector<std::string> problems_;
    std::optional<OpenProc> current_;
    bool seenProcedure_ = false;
    bool inTypeBlock_ = false;
    std::set<std::string> events_;
    std::set<std::string> procedures_;
    std::set<std::string> methods_;
    std::set<std::string> properties_;
    // Each property's accessors by Header::kind.
    std::map<std::string, std::map<int, OpenProc>> accessors_;
    std::vector<std::pair<int, std::string>> raised_;
    std::vector<std::pair<int, std::string>> setTargets_;
};

}  // namespace

std::vector<std::string> CheckModule(std::string_view text,
                                     const ModuleExpectations& expectations) {
    const std::vector<std::string> lines = SplitLines(text);
    Checker checker(expectations);
    std::string statement;
    int statementLine = 0;
    int codeLine = 0;
    for (size_t i = FirstCodeLine(lines); i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (StartsWithWord(Lower(Trim(line)), "attribute") && statement.empty())
            continue;
        ++codeLine;
        if (statement.empty())
            statementLine = codeLine;
        if (EndsWithContinuation(line)) {
            const std::string t = Trim(line);
            statement += t.substr(0, t.size() - 1);
            continue;
        }
        statement += line;
        const std::string code = WithoutLabel(WithoutComment(statement));
        statement.clear();
        if (!code.empty())
            checker.Statement(statementLine, code);
    }
    return checker.Finish();
}

std::string DescribeProblems(const std::vector<std::string>& problems) {
    std::string text;
    for (const std::string& problem : problems)
        text += problem + "\n";
    return text;
}

}  // namespace qfw::testing
