#include "host/vb_highlighter.h"

namespace qfw::host {

VbHighlighter::VbHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document),
      keywords_(
          "\\b(Option|Explicit|Private|Public|Friend|Dim|Const|As|Sub|Function|Property|Get|"
          "Let|Set|End|If|Then|Else|ElseIf|For|Each|Next|To|Step|Do|Loop|While|Wend|Until|"
          "Select|Case|With|Event|RaiseEvent|Exit|ByVal|ByRef|Optional|ParamArray|New|Call|"
          "Not|And|Or|Xor|Is|Nothing|True|False|On|Error|Resume|GoTo|Declare|Lib|Type|Enum|"
          "Implements|WithEvents|Static|Boolean|Integer|Long|Single|Double|Currency|String|"
          "Variant|Object|Date|Byte|Attribute|Me|Begin|Version)\\b",
          QRegularExpression::CaseInsensitiveOption) {
    keyword_.setForeground(QColor(0, 0, 128));
    comment_.setForeground(QColor(0, 128, 0));
    string_.setForeground(QColor(128, 0, 0));
}

void VbHighlighter::highlightBlock(const QString& text) {
    // Where the comment starts: the first apostrophe outside a string.
    qsizetype commentAt = -1;
    bool inString = false;
    qsizetype stringStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == '"') {
            if (inString)
                setFormat(stringStart, i - stringStart + 1, string_);
            else
                stringStart = i;
            inString = !inString;
        } else if (c == '\'' && !inString) {
            commentAt = i;
            break;
        }
    }
    const QString code = commentAt < 0 ? text : text.left(commentAt);
    for (auto match = keywords_.globalMatch(code); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        if (format(m.capturedStart()) != string_)
            setFormat(m.capturedStart(), m.capturedLength(), keyword_);
    }
    if (commentAt >= 0)
        setFormat(commentAt, text.size() - commentAt, comment_);
    if (text.startsWith("Rem ", Qt::CaseInsensitive))
        setFormat(0, text.size(), comment_);
}

}  // namespace qfw::host
