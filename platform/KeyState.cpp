#include "platform/KeyState.h"

#include <QGuiApplication>

short GetAsyncKeyState(int vKey)
{
    bool down = vKey == VK_LBUTTON && (QGuiApplication::mouseButtons() & Qt::LeftButton);
    return down ? static_cast<short>(0x8000) : 0;
}
