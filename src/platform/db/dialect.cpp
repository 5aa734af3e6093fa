#include <QRegularExpression>

#include "platform/db/connection.h"

namespace db {

QString Connection::TranslateDialect(const QString& statement) {
    // The system deletes with "DELETE * From ...", which the engine does not accept.
    // Only the statement's own head is touched, never a quoted value further on.
    static const QRegularExpression deleteStar(
        QStringLiteral("^(\\s*DELETE)\\s*\\*\\s*(?=FROM\\b)"),
        QRegularExpression::CaseInsensitiveOption);
    QString translated = statement;
    translated.replace(deleteStar, QStringLiteral("\\1 "));
    return translated;
}

}  // namespace db
