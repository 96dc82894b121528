// The option toggles are labels that switch on a click; a screen reader is
// told they are check boxes, checked when their tag is set (indoors, metal
// cover, over 5000 hours), and hears them change.
#pragma once

class QWidget;

namespace kaldora {

// Marks `toggle` as a check box for assistive technology; once per program
// the factory that answers for such labels is installed.
void MakeAccessibleToggle(QWidget* toggle);

// Says that the toggle's state changed.
void AnnounceToggled(QWidget* toggle);

}  // namespace kaldora
