#pragma once
// What every dialog window shares: fixed size, centred on the screen, a caption (or
// none) and no control box; most also carry the Simplified Chinese 9-point default font.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>

#include "platform/ui/fonts.h"
#include "platform/ui/form.h"

namespace testing_support {

inline void ExpectDialogFrame(const ui::Form& dialog, const char* caption, QSize clientPixels) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(caption));
    EXPECT_EQ(bool(dialog.windowFlags() & Qt::WindowTitleHint), *caption != '\0');
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(dialog.size(), clientPixels);
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "not resizable";
    const QPoint offset =
        dialog.geometry().center() - QGuiApplication::primaryScreen()->geometry().center();
    EXPECT_LE(std::abs(offset.x()), 1);
    EXPECT_LE(std::abs(offset.y()), 1);
}

inline void ExpectDialogWindow(const ui::Form& dialog, const char* caption, QSize clientPixels) {
    ExpectDialogFrame(dialog, caption, clientPixels);
    EXPECT_EQ(dialog.font(), ui::DefaultDialogFont());
}

}  // namespace testing_support
