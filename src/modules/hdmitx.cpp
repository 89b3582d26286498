// HDMI transmitter: its setter is not in the driver library, so every item is refused.
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::Item kItems[] = {
    tulvak::refusal(1, "SET QxApi_HDMITx_SetDbgLevel(HDMITX_DBG)", tulvak::kNotSupported),
    tulvak::refusal(2, "SET QxApi_HDMITx_SetDbgLevel(HDMITX_DBG_HDCP)", tulvak::kNotSupported),
    tulvak::refusal(3, "SET QxApi_HDMITx_SetDbgLevel(HDMITX_DBG_UTILTX)", tulvak::kNotSupported),
};

}  // namespace

void Tulvak_PelvarHDMITXConfig() { tulvak::run_menu<kItems>(); }
