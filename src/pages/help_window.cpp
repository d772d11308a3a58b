#include "pages/help_window.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>

#include "pages/module_state.h"
#include "pages/wizard_page.h"

namespace qfw::pages {

namespace {

QTextBrowser& Window() {
    static QTextBrowser* window = [] {
        auto* browser = new QTextBrowser();
        browser->setObjectName("HelpWindow");
        browser->resize(640, 480);
        return browser;
    }();
    return *window;
}

}  // namespace

std::optional<std::string> HelpAnchor(const std::string& html, const std::string& keyword) {
    const QString text = Q(html);
    const qsizetype start = text.indexOf(QStringLiteral("id=\"keywords\""));
    if (start < 0)
        return std::nullopt;
    const qsizetype end = text.indexOf(QStringLiteral("</ul>"), start);
    static const QRegularExpression link(QStringLiteral("<a href=\"#([^\"]+)\">([^<]+)</a>"));
    auto matches = link.globalMatch(text.mid(start, end < 0 ? -1 : end - start));
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        if (match.captured(2).compare(Q(keyword), Qt::CaseInsensitive) == 0)
            return match.captured(1).toStdString();
    }
    return std::nullopt;
}

void ShowHelpWindow(const std::string& file, const std::string& keyword) {
    QFile source(Q(file));
    std::string html;
    if (source.open(QIODevice::ReadOnly))
        html = source.readAll().toStdString();
    QTextBrowser& window = Window();
    window.setWindowTitle(Q(Module().gAppTitle + " Help"));
    QUrl url = QUrl::fromLocalFile(Q(file));
    url.setFragment(Q(HelpAnchor(html, keyword).value_or("keywords")));
    window.setSource(url);
    window.show();
    window.raise();
}

}  // namespace qfw::pages
