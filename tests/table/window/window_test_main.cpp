// The window tests need a QApplication; they run offscreen.
#include <gtest/gtest.h>

#include <QApplication>

#include "table/window/font_substitutes.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tarvel::InstallFontSubstitutions();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
