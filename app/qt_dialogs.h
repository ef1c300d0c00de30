#pragma once

#include "app/dialogs.h"

namespace kalvex::app {

// The real dialogs: Qt message boxes, input box and file dialogs.
class QtDialogs final : public Dialogs {
  public:
    bool confirm(QWidget* parent, const std::string& text) override;
    void information(QWidget* parent, const std::string& text) override;
    void error(QWidget* parent, const std::string& text) override;
    bool question(QWidget* parent, const std::string& caption, const std::string& text) override;
    bool questionNoByDefault(QWidget* parent, const std::string& caption,
                             const std::string& text) override;
    std::optional<std::string> input(QWidget* parent, const std::string& caption,
                                     const std::string& prompt,
                                     const std::string& initial) override;
    std::optional<std::string> openFile(QWidget* parent, const std::string& title,
                                        const std::string& startFolder,
                                        const std::string& selectedFilter) override;
    std::optional<std::string> chooseFolder(QWidget* parent, const std::string& title,
                                            const std::string& startFolder) override;
};

}  // namespace kalvex::app
