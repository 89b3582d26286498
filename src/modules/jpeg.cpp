// JPEG decoder debug masks. MSG is API|DRV|HAL and ALL is API|DRV|HAL|ERR, without
// MJPEG; each item passes its own mask alone.
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxApi_JPEG_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_NONE)", kSetter, 0x00),
    tulvak::driver_call(2, "SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_API)", kSetter, 0x01),
    tulvak::driver_call(3, "SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_DRV)", kSetter, 0x02),
    tulvak::driver_call(4, "SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_HAL)", kSetter, 0x04),
    tulvak::driver_call(5, "SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_MSG)", kSetter, 0x07),
    tulvak::driver_call(6, "SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_ERR)", kSetter, 0x08),
    tulvak::driver_call(7, "SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_ALL)", kSetter, 0x0F),
    tulvak::driver_call(8, "SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_MJPEG)", kSetter, 0x10),
};

}  // namespace

void Tulvak_PelvarJPEGConfig() { tulvak::run_menu<kItems>(); }
