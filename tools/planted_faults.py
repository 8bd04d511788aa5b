# Plants, one at a time, faults the tests must catch (a PDF export that no longer looks at its
# target, a half-cent rounded down...), runs the tests that should see each, and puts the code back.
# Run from the checkout after a build: python3 tools/planted_faults.py [NAME...]
import subprocess, sys
plants = [
 ("PdfExportIgnoresTarget", "src/qt/print/printed_table.cpp",
  "    std::string refusal = outputRefusal(target);\n    if (refusal.empty()) {",
  "    std::string refusal;\n    if (refusal.empty()) {", "ventakar_qt_tests", "ClassWindow.*:PartsList*:Print*"),
 ("OrderCsvFormulaUnguarded", "src/classroom/parts_list.cpp",
  "const bool number = amount || c == 4 || c == 7;", "const bool number = amount || c == 4 || c == 7 || c == 0;",
  "ventakar_core_tests", "ClassOrder.*:ClassScan.*"),
 ("HalfCentRoundedDown", "src/catalogue/number_text.cpp",
  "return std::llround(std::strtod(buf, nullptr));", "return static_cast<long long>(std::floor(std::strtod(buf, nullptr)));",
  "ventakar_core_tests", "ClassOrder.*"),
 ("LineTotalFromTheSum", "src/classroom/parts_list.cpp",
  ".totalCents = toCents(price) * item.perDesign});", ".totalCents = toCents(price * item.perDesign)});",
  "ventakar_core_tests", "ClassOrder.*"),
 ("DetailsOfAnotherRowAfterASort", "src/qt/classroom/class_window.cpp",
  "const int row = current.data(ClassTableModel::RowRole).toInt();", "const int row = current.row();",
  "ventakar_qt_tests", "ClassWindow.*"),
 ("ChoisirByPlaceAfterASort", "src/qt/design/choice_comparison_dialog.cpp",
  "chosen_ = current.data(kItemRole).toInt();", "chosen_ = current.row();",
  "ventakar_qt_tests", "ChoiceComparison.*"),
 ("AxisUnderWhenOnlyTheHeightIsOver", "src/classroom/choice_alternatives.cpp",
  ": name == \"Hauteur\" ? &row.heightMark\n                                                    : &row.axisMark;",
  ": name == \"Hauteur\" ? &row.axisMark\n                                                    : &row.heightMark;",
  "ventakar_core_tests", "ChoiceAlternatives*"),
 ("LastRowsOverTheFooter", "src/qt/print/printed_table.cpp",
  "if (y + height > pageHeight - foot) {", "if (y + height > pageHeight) {",
  "ventakar_qt_tests", "ClassWindow.*:PartsList*:Print*"),
]
only = sys.argv[1:]
for name, path, old, new, binary, flt in plants:
    if only and name not in only: continue
    src = open(path).read()
    if old not in src:
        print(name, "PATTERN NOT FOUND"); continue
    open(path, "w").write(src.replace(old, new, 1))
    try:
        b = subprocess.run(["ninja", "-C", "build", binary], capture_output=True, text=True)
        if b.returncode != 0:
            print(name, "BUILD FAILED", b.stdout[-800:]); continue
        r = subprocess.run(["build/" + binary, "--gtest_filter=" + flt], capture_output=True, text=True)
        failed = [l for l in r.stdout.splitlines() if l.startswith("[  FAILED  ]") and "listed below" not in l and "FAILED TEST" not in l]
        print(name, "CAUGHT" if r.returncode != 0 else "MISSED", sorted(set(f.split()[3] for f in failed if len(f.split())>3)))
    finally:
        open(path, "w").write(src)
subprocess.run(["ninja", "-C", "build"], capture_output=True)
