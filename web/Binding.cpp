// The page's view of the engine and the input layer: types and functions, nothing more.
#include <emscripten/bind.h>

#include "engine/CivilDate.h"
#include "input/Applicability.h"
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

}  // namespace

EMSCRIPTEN_BINDINGS(vesmer_inputs) {
    using namespace emscripten;
    register_vector<std::string>("StringList");
    register_vector<std::array<std::string, 3>>("RowList");
    register_vector<InputDescription>("InputList");
    register_vector<std::vector<InputDescription>>("InputRows");
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
        .field("place", &InputDescription::place)
        .field("unit", &InputDescription::unit)
        .field("items", &InputDescription::items)
        .field("maxLength", &InputDescription::maxLength)
        .field("stage", &InputDescription::stage)
        .field("defaultText", &InputDescription::defaultText);
    value_object<PageFacts>("PageFacts")
        .field("columns", &PageFacts::columns)
        .field("eras", &PageFacts::eras)
        .field("tableFirstYear", &PageFacts::tableFirstYear)
        .field("tableLastYear", &PageFacts::tableLastYear)
        .field("firstCountableDate", &PageFacts::firstCountableDate)
        .field("maxEventRows", &PageFacts::maxEventRows);
}

EMSCRIPTEN_BINDINGS(vesmer_views) {
    using namespace emscripten;
    value_object<CalculationView>("CalculationView")
        .field("ok", &CalculationView::ok)
        .field("refusal", &CalculationView::refusal)
        .field("refused", &CalculationView::refused)
        .field("history", &CalculationView::history)
        .field("rows", &CalculationView::rows)
        .field("rowKinds", &CalculationView::rowKinds)
        .field("tsv", &CalculationView::tsv)
        .field("csv", &CalculationView::csv)
        .field("note", &CalculationView::note);
    value_object<ConverterFields>("ConverterFields")
        .field("year", &ConverterFields::year)
        .field("month", &ConverterFields::month)
        .field("day", &ConverterFields::day)
        .field("era", &ConverterFields::era)
        .field("eraYear", &ConverterFields::eraYear)
        .field("eraMonth", &ConverterFields::eraMonth)
        .field("eraDay", &ConverterFields::eraDay);
    value_object<ConvertedDate>("ConvertedDate")
        .field("ok", &ConvertedDate::ok)
        .field("text", &ConvertedDate::text)
        .field("field", &ConvertedDate::field)
        .field("fields", &ConvertedDate::fields);
    value_object<YearTableView>("YearTableView")
        .field("text", &YearTableView::text)
        .field("reason", &YearTableView::reason);
}

EMSCRIPTEN_BINDINGS(vesmer_functions) {
    using namespace emscripten;
    class_<DialogInputs>("DialogInputs").constructor<>();
    class_<ResumeInputs>("ResumeInputs").constructor<>();

    function("describeInputs", &DescribeInputs);
    function("facts", &Facts);
    function("setInputLines", &SetInputLines);
    function("describeEventRow", &DescribeEventRow);
    function("describeStoredEventRows", &DescribeStoredEventRows);
    function("keepApplicableInputs", &KeepApplicableInputs);
    function("particle", &Particle);
    function("showCalculation", &ShowCalculation);
    function("countableDate", &CountableDate);
    function("convertOneSide", &ConvertOneSide);
    function("yearTable", &YearTableFor);
}
