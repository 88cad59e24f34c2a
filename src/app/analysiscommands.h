#pragma once
// The seven analysis commands of the menus.
namespace yuedu::app {

class MainWindow;

class AnalysisCommands {
public:
    explicit AnalysisCommands(MainWindow &main) : m_main(main) {}
    void articleProfile() {}
    void articleAttributes() {}
    void segmentText() {}
    void wordFrequency() {}
    void vocabularyGrades() {}
    void senseClasses() {}
    void characterProfile() {}

private:
    MainWindow &m_main;
};

} // namespace yuedu::app
