#include "game/frm_tilebash.h"
#include "ui/qt/run_program.h"
int main(int argc, char** argv) {
    return tilebash::ui::qt::runProgram(argc, argv, [](tilebash::ui::Host& host) {
        return std::make_unique<tilebash::FrmTilebash>(host);
    });
}
