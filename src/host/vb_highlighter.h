// Visual Basic syntax colouring for the code view: keywords blue, comments
// green, string literals dark red.
#pragma once

#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace qfw::host {

class VbHighlighter : public QSyntaxHighlighter {
  public:
    explicit VbHighlighter(QTextDocument* document);

  protected:
    void highlightBlock(const QString& text) override;

  private:
    QRegularExpression keywords_;
    QTextCharFormat keyword_;
    QTextCharFormat comment_;
    QTextCharFormat string_;
};

}  // namespace qfw::host
