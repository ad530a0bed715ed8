#include "input/DialogInputs.h"

#include "input/InputSchema.h"

DialogInputs::DialogInputs() {
    ResetInputs();
}

void DialogInputs::ResetInputs() {
    for (const InputField& field : InputSchema()) {
        if (field.number) this->*field.number = field.defaultValue;
        if (field.text) this->*field.text = std::to_string(field.defaultValue);
    }
}

std::string& DialogInputs::RoninText(int stage) {
    return this->*CountField(stage, InputKind::Ronin).text;
}
const std::string& DialogInputs::RoninText(int stage) const {
    return this->*CountField(stage, InputKind::Ronin).text;
}
std::string& DialogInputs::RyunenText(int stage) {
    return this->*CountField(stage, InputKind::Ryunen).text;
}
const std::string& DialogInputs::RyunenText(int stage) const {
    return this->*CountField(stage, InputKind::Ryunen).text;
}
