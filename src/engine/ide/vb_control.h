// VBControl: one control on a designer; Properties/Property: its design-time
// properties as the file lists them.
//
// ProgId is the "Library.Class" text of the control's Begin line (VB.TextBox,
// MSComctlLib.ListView); ClassName is the part after the first dot (TextBox,
// ListView). Properties holds "Name" (the control's name), "Index" (its
// control-array index, "-1" outside an array) and every simple property line
// of its block in file order. Property groups (BeginProperty Font ...) are
// kept as one property with the group's name and an empty value.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qfw::ide {

class Property {
  public:
    Property(std::string name, std::string value)
        : Name_(std::move(name)), Value_(std::move(value)) {}

    const std::string& Name() const { return Name_; }
    // The value as text: strings without their quotes (doubled quotes
    // undone), other values without the trailing comment ("-1  'True" gives
    // "-1"), binary references as written ("Gauge.ctx":0000).
    const std::string& Value() const { return Value_; }

  private:
    std::string Name_;
    std::string Value_;
};

class Properties {
  public:
    explicit Properties(std::vector<std::shared_ptr<Property>> items);

    int32_t Count() const;
    // Position from 1 to Count, or a property name (letter case ignored);
    // any other key raises VbError 9.
    std::shared_ptr<Property> Item(int32_t index) const;
    std::shared_ptr<Property> Item(const std::string& name) const;

  private:
    std::vector<std::shared_ptr<Property>> items_;
};

class VBControl {
  public:
    VBControl(std::string progId, std::shared_ptr<ide::Properties> properties, int32_t line);

    const std::string& ClassName() const { return ClassName_; }
    const std::string& ProgId() const { return ProgId_; }
    std::shared_ptr<ide::Properties> Properties() const { return properties_; }

    // Shorthands for Properties().Item("Name").Value() and the array index
    // (-1 outside a control array).
    const std::string& Name() const;
    int32_t Index() const;

    // 1-based line of the control's Begin line in its file.
    int32_t Line() const { return line_; }

  private:
    std::string ProgId_;
    std::string ClassName_;
    std::shared_ptr<ide::Properties> properties_;
    int32_t line_;
};

}  // namespace qfw::ide
