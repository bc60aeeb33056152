#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include "ui/host.h"

// What the model benchmarks share: a host that measures text without a
// toolkit, and a working folder holding a copy of the shipped files.
namespace tilebash::bench {

class SilentHost : public ui::Host {
  public:
    ui::TextExtent measureText(const std::string& text, const ui::Font& font) const override {
        return {static_cast<double>(text.size()) * font.points * 10, font.points * 24};
    }
    void showMessage(const std::string&, const std::string&) override {}
    void endProgram() override {}
};

// Makes a fresh folder with the shipped levels and options the current
// directory for its lifetime, and removes it afterwards.
class ShippedFilesFolder {
  public:
    explicit ShippedFilesFolder(const std::string& name)
        : folder_(std::filesystem::temp_directory_path() / name),
          previous_(std::filesystem::current_path()) {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        for (const auto& entry : std::filesystem::directory_iterator(TILEBASH_DATA_DIR)) {
            std::filesystem::copy_file(entry.path(), folder_ / entry.path().filename());
        }
        std::filesystem::current_path(folder_);
    }
    ShippedFilesFolder(const ShippedFilesFolder&) = delete;
    ShippedFilesFolder& operator=(const ShippedFilesFolder&) = delete;
    ~ShippedFilesFolder() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(folder_, ignored);
    }

  private:
    std::filesystem::path folder_;
    std::filesystem::path previous_;
};

}  // namespace tilebash::bench
