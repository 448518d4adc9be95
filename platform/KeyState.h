#pragma once

constexpr int VK_LBUTTON = 0x01;

// The state of a key or mouse button now: the top bit (0x8000) is set while it is down.
short GetAsyncKeyState(int vKey);
