#pragma once
#include <string>
#include <vector>

#include "platform/Control.h"

// A multi-line text control.
class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* AOwner);
    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context) override;
};
