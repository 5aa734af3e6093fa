#include "shared/statements.h"

namespace statements {

QString Quoted(const QString& value) {
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return quoted;
}

QString S1() { return QStringLiteral("SELECT * From sjname order by sjbh"); }

QString S2(const QString& paperTitle) {
    return QStringLiteral("SELECT * From sjname where sjbh='") + Quoted(paperTitle) +
           QStringLiteral("'");
}

QString S3(const QString& paperName) {
    return QStringLiteral("SELECT * FROM sj where sjmc='") + Quoted(paperName) +
           QStringLiteral("'");
}

// The count of the offer again, now inside the transaction: the same text.
QString S4(const QString& paperName) { return S3(paperName); }

QString S5(const QString& admissionNo) {
    return QStringLiteral("DELETE * From sjdj where zh='") + Quoted(admissionNo) +
           QStringLiteral("'");
}

QString S6(const QString& paperName, const QString& admissionNo) {
    return QStringLiteral("INSERT INTO sjdj (th, tx, km, tm, da1,da2,da3,da4,da5,da6,da,bk,fz,"
                          "sjmc,zh,bz,pcxname ) ") +
           QStringLiteral("SELECT th, tx, km, tm, da1,da2,da3,da4,da5,da6,da,bk,fz,sjmc,'") +
           Quoted(admissionNo) + QStringLiteral("','0',pcxname FROM sj where sjmc='") +
           Quoted(paperName) + QStringLiteral("' ORDER BY BK DESC");
}

QString S7(const QString& paperName, const QString& admissionNo) {
    return QStringLiteral("SELECT * From sjdj where sjmc='") + Quoted(paperName) +
           QStringLiteral("' and zh='") + Quoted(admissionNo) +
           QStringLiteral("' and bz='0'order by ID");
}

QString S8(const QString& paperKind) {
    return QStringLiteral("SELECT * From sjname where sjbh='") + Quoted(paperKind) +
           QStringLiteral("'");
}

QString S9(const QString& paperName, const QString& admissionNo) {
    return QStringLiteral("SELECT sum(df)  From sjdj where sjmc='") + Quoted(paperName) +
           QStringLiteral("' and zh='") + Quoted(admissionNo) + QStringLiteral("' and bz='0'");
}

QString S10(const QString& paperName, const QString& admissionNo) {
    return QStringLiteral("update sjdj set bz='1' where sjmc='") + Quoted(paperName) +
           QStringLiteral("' and zh='") + Quoted(admissionNo) + QStringLiteral("' and bz='0'");
}

QString S11(const QString& paperName, const QString& admissionNo) {
    return QStringLiteral("SELECT * From sjdj where sjmc='") + Quoted(paperName) +
           QStringLiteral("' and zh='") + Quoted(admissionNo) +
           QStringLiteral("' and df=0 order by ID");
}

}  // namespace statements
