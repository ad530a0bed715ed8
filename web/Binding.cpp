// The page's view of the engine and the input layer: types and functions, nothing more.
#include <emscripten/bind.h>

#include "engine/CivilDate.h"
#include "engine/Era.h"
#include "input/CalculationView.h"
#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"
#include "input/EraConverter.h"
#include "input/NamedInputs.h"
#include "input/ResumeInputs.h"

namespace {

std::string Particle(int outcomeIndex) {
    return std::string(ParticleFor(outcomeIndex));
}

std::vector<std::string> EraNames() {
    std::vector<std::string> names;
    for (const EraStart& era : kEras) names.emplace_back(era.name);
    return names;
}

std::vector<ResumeField> ResumeFields() {
    return {ResumeSchema().begin(), ResumeSchema().end()};
}

}  // namespace

EMSCRIPTEN_BINDINGS(vesmer_inputs) {
    using namespace emscripten;
    register_vector<std::string>("StringList");
    register_vector<std::array<std::string, 3>>("RowList");
    register_vector<InputDescription>("InputList");
    register_vector<ResumeField>("ResumeFieldList");
    value_array<std::array<std::string, 3>>("Cells")
        .element(emscripten::index<0>())
        .element(emscripten::index<1>())
        .element(emscripten::index<2>());
    value_object<CivilDate>("CivilDate")
        .field("year", &CivilDate::year)
        .field("month", &CivilDate::month)
        .field("day", &CivilDate::day);
    value_object<InputDescription>("InputDescription")
        .field("name", &InputDescription::name)
        .field("kind", &InputDescription::kind)
        .field("label", &InputDescription::label)
        .field("caption", &InputDescription::caption)
        .field("unit", &InputDescription::unit)
        .field("items", &InputDescription::items)
        .field("maxLength", &InputDescription::maxLength)
        .field("stage", &InputDescription::stage)
        .field("defaultText", &InputDescription::defaultText);
    value_object<ResumeField>("ResumeField")
        .field("name", &ResumeField::name)
        .field("title", &ResumeField::title)
        .field("stage", &ResumeField::stage)
        .field("maxLength", &ResumeField::maxLength)
        .field("items", &ResumeField::items);
}

EMSCRIPTEN_BINDINGS(vesmer_views) {
    using namespace emscripten;
    value_object<CalculationView>("CalculationView")
        .field("ok", &CalculationView::ok)
        .field("refusal", &CalculationView::refusal)
        .field("refused", &CalculationView::refused)
        .field("keepsShown", &CalculationView::keepsShown)
        .field("history", &CalculationView::history)
        .field("rows", &CalculationView::rows)
        .field("tsv", &CalculationView::tsv)
        .field("csv", &CalculationView::csv)
        .field("note", &CalculationView::note);
    value_object<ConvertedDate>("ConvertedDate")
        .field("ok", &ConvertedDate::ok)
        .field("text", &ConvertedDate::text)
        .field("field", &ConvertedDate::field)
        .field("year", &ConvertedDate::year)
        .field("month", &ConvertedDate::month)
        .field("day", &ConvertedDate::day)
        .field("era", &ConvertedDate::era)
        .field("eraYear", &ConvertedDate::eraYear)
        .field("eraMonth", &ConvertedDate::eraMonth)
        .field("eraDay", &ConvertedDate::eraDay);
    value_object<YearTableView>("YearTableView")
        .field("text", &YearTableView::text)
        .field("reason", &YearTableView::reason);
}

EMSCRIPTEN_BINDINGS(vesmer_functions) {
    using namespace emscripten;
    class_<DialogInputs>("DialogInputs").constructor<>();
    class_<ResumeInputs>("ResumeInputs").constructor<>();

    function("describeInputs", &DescribeInputs);
    function("resumeFields", &ResumeFields);
    function("eraNames", &EraNames);
    function("inputText", &InputText);
    function("setInputLines", &SetInputLines);
    function("resumeInputText", &ResumeInputText);
    function("isInputEnabled", &IsInputEnabled);
    function("particle", &Particle);
    function("showCalculation", &ShowCalculation);
    function("countableDate", &CountableDate);
    function("convertSeireki", &ConvertSeireki);
    function("convertWareki", &ConvertWareki);
    function("yearTable", &YearTableFor);
}
