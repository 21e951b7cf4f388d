#pragma once
// Maps Qt key events to the virtual-key codes the key filters work with.

class QKeyEvent;

namespace kw {

// Digit row 48..57, keypad digits 96..105, Backspace 8, Enter 13, comma 188
// (the keypad's decimal key 110), letters their upper-case code; anything else a
// code no filter admits.
int Tastencode(const QKeyEvent& ereignis);

} // namespace kw
