#include "editor/frm_tilebash_level_editor.h"
#include "ui/qt/run_program.h"
int main(int argc, char** argv) {
    return tilebash::ui::qt::runProgram(argc, argv, [](tilebash::ui::Host& host) {
        return std::make_unique<tilebash::FrmTilebashLevelEditor>(host);
    });
}
