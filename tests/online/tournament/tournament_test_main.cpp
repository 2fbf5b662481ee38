// The lobby windows need a QApplication and the compiled-in pictures; they
// run offscreen.
#include <gtest/gtest.h>

#include <QApplication>

#include "assets/tarvel_assets.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tarvel::InitTarvelAssets();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
