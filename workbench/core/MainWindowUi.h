// The window's generated form (Ui::MainWindow), for code outside this
// library: including ui_MainWindow.h directly would make the including
// target's automatic form compiler look for MainWindow.ui beside it.
#pragma once

#include "ui_MainWindow.h"
