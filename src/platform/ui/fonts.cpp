#include "platform/ui/fonts.h"

#include <QString>
#include <QStringList>

namespace ui {
namespace {

void Substitute(const char* windowsName, std::initializer_list<const char*> families) {
    QStringList list;
    for (const char* family : families) list.append(QString::fromUtf8(family));
    QFont::insertSubstitutions(QString::fromUtf8(windowsName), list);
}

}  // namespace

void RegisterFontSubstitutions() {
    static bool done = false;
    if (done) return;
    done = true;
    // Kai and Song styles come from the AR PL families, Arial metrics from Liberation.
    Substitute("楷体_GB2312", {"AR PL UKai CN", "AR PL UKai TW", "AR PL UMing CN"});
    Substitute("宋体", {"AR PL UMing CN", "AR PL UMing TW", "AR PL UKai CN"});
    Substitute("Arial", {"Liberation Sans", "AR PL UMing CN"});
    Substitute("Arial Black", {"Liberation Sans", "AR PL UMing CN"});
}

QFont DefaultDialogFont() {
    QFont font(QString::fromUtf8("宋体"));
    font.setPointSizeF(9);
    return font;
}

QFont MakeFont(const FontDesign& item) {
    if (item.name == nullptr) return DefaultDialogFont();
    QFont font(QString::fromUtf8(item.name));
    font.setPointSizeF(item.points);
    font.setWeight(item.bold ? QFont::Bold : QFont::Normal);
    return font;
}

}  // namespace ui
