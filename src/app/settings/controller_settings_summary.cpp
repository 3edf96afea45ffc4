#include "app/settings/controller_settings_summary.h"

#include <string_view>

namespace zel::app {

namespace {

class SummaryWriter {
 public:
  void heading(std::string_view text) {
    if (!m_text.empty()) m_text += '\n';
    m_text.append(text);
    m_text += '\n';
  }
  void line(std::string_view label, std::string_view value) {
    std::string padded(label);
    if (padded.size() < kSummaryLabelWidth) padded.resize(kSummaryLabelWidth, ' ');
    m_text += padded + ": ";
    m_text.append(value);
    m_text += '\n';
  }
  std::string take() { return std::move(m_text); }

 private:
  std::string m_text;
};

std::string YesNo(bool on) {
  return on ? "YES" : "NO";
}

std::string OperandOrNo(bool used, const std::string& operand) {
  return used ? operand : "NO";
}

std::string ComPortText(const std::string& port) {
  return port == "0" ? " internal COM port" : "COM" + port;
}

}  // namespace

std::string SettingsSummary(const ControllerSettingsValues& v) {
  SummaryWriter out;
  out.heading("Controller Settings");
  out.heading("Run Mode");
  out.line("Autostart", YesNo(v.runMode & kRunModeAutostart));
  out.line("Run/Stop Input", OperandOrNo(v.runMode & kRunModeRunStopInput, v.externalInput));
  out.line("Stop during Download", YesNo(v.downloadStopPrograms));
  out.line("Error Output", OperandOrNo(v.runMode & kRunModeErrorOutput, v.externalOutput));
  out.line("Error Program", std::to_string(v.errorProgram));
  out.line("Reset Programs", YesNo(v.runMode & kRunModeResetPrograms));
  out.line("Reset Outputs", YesNo(v.runMode & kRunModeResetOutputs));
  out.heading("Drives");
  out.line("Project Drive", v.driveProject);
  out.line("Start-up Drive", v.driveStartup);
  out.line("Kernel Drive", v.driveKernel);
  out.heading("CI Options");
  out.line("Controller CI port", ComPortText(v.kernelComPort));
  out.line("Special Parameters", v.kernelParams);
  out.heading("Password");
  out.line("Password", v.password.empty() ? "<none>" : v.password);
  out.heading("Download");
  out.line("Download Sources", YesNo(v.downloadSources));
  return out.take();
}

}  // namespace zel::app
