#pragma once

class QWidget;
class TDiz;

// Hands written files to the local web service's sending pages.
namespace dispatch {
// "Invio a SDI" (private-sector page) and "Invio P.A." (public-administration page).
void sendCurrent(TDiz& diz, QWidget* owner, bool publicAdministration);
// "Invio Fatture al SDI": every unsent invoice to the private-sector page.
void sendUnsent(TDiz& diz, QWidget* owner);
} // namespace dispatch
