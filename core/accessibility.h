// Lets a screen reader read the owner-drawn controls: a label or picture box that answers a click
// is a button, a label that does not is static text, and each is named by its caption.
#pragma once

namespace rt {

void install_accessibility();

}  // namespace rt
