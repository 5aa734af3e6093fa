#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

class QWidget;

namespace testing_support {

// Renders the window to <build>/screens/<name>.png; returns the picture, or a null
// image when the file could not be written.
QImage SaveScreenshot(QWidget* window, const QString& name);

// Whether the picture matches <references>/<name>.png, every colour channel of every
// pixel within kScreenTolerance. A difference writes <build>/screens/<name>-diff.png,
// the reference faded with the differing pixels in red. With DERRAVANCE_REMAKE_SCREENS
// set in the environment the picture becomes the reference instead.
// The tolerance absorbs the rounding of blending and smoothing that another processor's
// code path may give; a wrong colour, font, bevel or place differs by far more.
inline constexpr int kScreenTolerance = 4;
::testing::AssertionResult MatchesReference(const QImage& picture, const QString& references,
                                            const QString& name);

}  // namespace testing_support
