#pragma once

#include "dalmain/shell/ScreenWindow.h"

namespace dalmain {

// The analysis screen.
class AnalyzeSyousai : public ScreenWindow
{
    Q_OBJECT
public:
    explicit AnalyzeSyousai(const ScreenContext &context, QWidget *parent = nullptr);
};

}  // namespace dalmain
