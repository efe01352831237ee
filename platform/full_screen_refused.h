#pragma once
// Tells the user, once a run, that Alt+Enter or the maximise box found no
// 640 x 480 mode: the user may try again and again.
void TellFullScreenRefused();
