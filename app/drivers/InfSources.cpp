#include "app/drivers/InfSources.h"

#include <cstdlib>
#include <map>
#include <set>

#include "app/drivers/InfText.h"
#include "app/drivers/PackageFiles.h"
#include "platform/DriverSetup.h"

namespace {

const char kPercent[] = "holds a \"%\" that the installer may expand to a system folder";

const char* ArchName(TInfArch arch) {
  switch (arch) {
    case TInfArch::X86:
      return "x86";
    case TInfArch::Arm64:
      return "arm64";
    case TInfArch::Amd64:
      break;
  }
  return "amd64";
}

// A step made of dots and blanks alone: Windows drops trailing dots and blanks from a name, so
// anything of the kind but "." may become "..".
bool DotsOnly(const std::string& step) {
  return step.find_first_not_of(". ") == std::string::npos;
}

// The place in the package of a path the INF writes: "\" between folders, empty and "." steps
// dropped. A leading "\" means the package folder where the INF gives a path on its source
// media (rootRelative), and the root of a drive elsewhere. reason says why there is none.
std::string PackagePath(const std::string& written, bool rootRelative, std::string& reason) {
  std::string path = written;
  for (char& c : path)
    if (c == '/') c = '\\';
  if (path.starts_with("\\\\") || (!rootRelative && path.starts_with("\\"))) {
    reason = "is an absolute path";
    return {};
  }
  if (path.find(':') != std::string::npos) {
    reason = "names a drive or a stream";
    return {};
  }
  if (path.find('%') != std::string::npos) {
    reason = kPercent;
    return {};
  }
  std::string result;
  for (size_t start = 0; start <= path.size();) {
    size_t end = std::min(path.find('\\', start), path.size());
    std::string step = path.substr(start, end - start);
    start = end + 1;
    if (step.empty() || step == ".") continue;
    if (DotsOnly(step)) {
      reason = "leads out of the package";
      return {};
    }
    result += (result.empty() ? "" : "\\") + step;
  }
  if (result.empty()) reason = "names no file";
  return result;
}

std::string JoinWritten(const std::vector<std::string>& parts) {
  std::string joined;
  for (const std::string& part : parts)
    if (!part.empty()) joined += (joined.empty() ? "" : "\\") + part;
  return joined;
}

class TSourceReader {
 public:
  TSourceReader(const TInfText& inf, TInfArch arch, TInfSources& out)
      : inf_(inf), arch_(ArchName(arch)), x86_(arch == TInfArch::X86), out_(out) {}

  void Run() {
    ReadCatalog();
    for (const std::string& section :
         {"SourceDisksFiles." + arch_, std::string("SourceDisksFiles")})
      if (const auto* lines = inf_.Section(section))
        for (const TInfText::Line& line : *lines) List(line);
    for (const std::string& section : ModelInstallSections()) Install(section);
    Install("DefaultInstall");
    Install("ClassInstall32");
    // The driver store takes every listed file, whether an install section copies it or not.
    for (const TInfSourceFile& file : out_.files)
      if (!file.problem.reason.empty()) out_.problems.push_back(file.problem);
    // An included system INF supplies a name, never a path.
    for (const std::string& name : unlisted_)
      if (name.find_first_of("\\/:") != std::string::npos)
        out_.problems.push_back(
            {name, "is copied by a path, not by a name the package or the system has"});
      else if (name.find('%') != std::string::npos)
        out_.problems.push_back({name, kPercent});
      else if (out_.includes.empty())
        out_.problems.push_back({name, "is copied but no [SourceDisksFiles] section lists it"});
  }

 private:
  void ReadCatalog() {
    for (const std::string& key :
         {"CatalogFile.NT" + arch_, std::string("CatalogFile.NT"), std::string("CatalogFile")}) {
      const TInfText::Line* line = inf_.Find("Version", key);
      if (!line || line->fields[0].empty()) continue;
      TInfProblem& problem = out_.catalogProblem;
      out_.catalog = PackagePath(line->fields[0], false, problem.reason);
      if (!problem.reason.empty()) {
        problem.path = line->fields[0];
        out_.problems.push_back(problem);
      }
      break;
    }
    // The system's layout INF points the install at the system's own media.
    if (const TInfText::Line* layout = inf_.Find("Version", "LayoutFile"))
      out_.problems.push_back(
          {layout->fields[0], "is named by LayoutFile, which a driver package's INF may not use"});
  }

  // A [SourceDisksFiles] line "name = disk[,subfolder[,size]]", unless a more specific section
  // listed the name already.
  void List(const TInfText::Line& line) {
    if (line.key.empty() || byName_.count(FileNameKey(line.key))) return;
    const std::string& disk = line.fields[0];
    const TInfText::Line* source = inf_.Find("SourceDisksNames." + arch_, disk);
    if (!source) source = inf_.Find("SourceDisksNames", disk);
    std::string media = source && source->fields.size() > 3 ? source->fields[3] : "";
    TInfSourceFile& file =
        Add(line.key, JoinWritten({media, line.fields.size() > 1 ? line.fields[1] : "", line.key}),
            true);
    if (!file.problem.reason.empty()) return;
    if (!source)
      file.problem = {line.key,
                      "is on disk " + disk + ", which no [SourceDisksNames] section lists"};
    else if (std::string cabinet; Cabinet(*source, cabinet))
      file.problem = {line.key, "is on disk " + disk + ", whose files are in " +
                                    (cabinet.empty() ? "a cabinet" : "the cabinet " + cabinet)};
  }

  // Whether a [SourceDisksNames] line "disk = description, tag-or-cabinet, , path, flags" keeps
  // its files in a cabinet: by the flag 0x10, or by the name's extension.
  static bool Cabinet(const TInfText::Line& source, std::string& name) {
    name = source.fields.size() > 1 ? source.fields[1] : "";
    std::string flags = source.fields.size() > 4 ? source.fields[4] : "";
    return (std::strtoul(flags.c_str(), nullptr, 0) & 0x10) != 0 ||
           UpperAscii(name).ends_with(".CAB");
  }

  TInfSourceFile& Add(const std::string& name, const std::string& written, bool rootRelative) {
    TInfSourceFile file{name, {}, false, {}};
    file.path = PackagePath(written, rootRelative, file.problem.reason);
    if (!file.problem.reason.empty()) file.problem.path = written;
    byName_[FileNameKey(name)] = out_.files.size();
    out_.files.push_back(file);
    return out_.files.back();
  }

  // The models sections the architecture may use: on x86 the undecorated one and those
  // decorated NT or NTx86, elsewhere only those decorated NT<arch>, of every OS version.
  std::vector<std::string> ModelInstallSections() {
    std::vector<std::string> sections;
    const auto* manufacturers = inf_.Section("Manufacturer");
    if (!manufacturers) return sections;
    for (const TInfText::Line& line : *manufacturers) {
      const std::string& models = line.fields[0];
      if (x86_) AddInstallSections(models, sections);
      for (size_t i = 1; i < line.fields.size(); ++i) {
        std::string platform = UpperAscii(line.fields[i].substr(0, line.fields[i].find('.')));
        if (platform == UpperAscii("NT" + arch_) || (x86_ && platform == "NT"))
          AddInstallSections(models + "." + line.fields[i], sections);
      }
    }
    return sections;
  }

  void AddInstallSections(const std::string& models, std::vector<std::string>& sections) {
    if (const auto* lines = inf_.Section(models))
      for (const TInfText::Line& line : *lines) sections.push_back(line.fields[0]);
  }

  // The install section the system picks for the architecture, with the parts it reads beside.
  void Install(const std::string& name) {
    for (const std::string& decoration : {".NT" + arch_, std::string(".NT"), std::string()})
      if (inf_.Section(name + decoration)) {
        std::string chosen = name + decoration;
        Directives(chosen);
        Directives(chosen + ".CoInstallers");
        if (const auto* lines = inf_.Section(chosen + ".Interfaces"))
          for (const TInfText::Line& line : *lines)
            if (UpperAscii(line.key) == "ADDINTERFACE" && line.fields.size() > 2)
              Directives(line.fields[2]);
        return;
      }
  }

  void Directives(const std::string& section) {
    const auto* lines = inf_.Section(section);
    if (!lines || !read_.insert(UpperAscii(section)).second) return;
    for (const TInfText::Line& line : *lines) {
      std::string directive = UpperAscii(line.key);
      for (const std::string& field : line.fields) {
        if (field.empty()) continue;
        if (directive == "COPYFILES" && field[0] == '@')
          Copied(field.substr(1));
        else if (directive == "COPYFILES")
          CopyList(field);
        else if (directive == "COPYINF")
          CopyInf(field);
        else if (directive == "INCLUDE")
          Include(field);
        else if (directive == "NEEDS")
          Directives(field);
      }
    }
  }

  // A file-list section: lines "destination[,source[,temporary[,flags]]]", the source named
  // like the destination unless given.
  void CopyList(const std::string& section) {
    const auto* lines = inf_.Section(section);
    if (!lines) return;  // a section of an included system INF
    for (const TInfText::Line& line : *lines) {
      std::vector<std::string> fields = line.fields;
      if (!line.key.empty()) fields.insert(fields.begin(), line.key);
      Copied(fields.size() > 1 && !fields[1].empty() ? fields[1] : fields[0]);
    }
  }

  void Copied(const std::string& name) {
    auto found = byName_.find(FileNameKey(name));
    if (found != byName_.end())
      out_.files[found->second].copied = true;
    else if (!name.empty() && copiedUnlisted_.insert(FileNameKey(name)).second)
      unlisted_.push_back(name);
  }

  // CopyINF takes further INFs from the INF's own folder.
  void CopyInf(const std::string& name) {
    if (!byName_.count(FileNameKey(name))) Add(name, name, false);
    Copied(name);
    const TInfSourceFile& file = out_.files[byName_[FileNameKey(name)]];
    if (!file.path.empty()) out_.copyInfs.push_back(file.path);
  }

  void Include(const std::string& name) {
    out_.includes.push_back(name);
    if (name.find_first_of("\\/:") != std::string::npos)
      out_.problems.push_back({name, "is included from a path, not from the system's INFs"});
  }

  const TInfText& inf_;
  const std::string arch_;
  const bool x86_;
  TInfSources& out_;
  std::map<std::string, size_t> byName_;  // name's key -> its entry in out_.files
  std::set<std::string> read_;            // upper-case sections whose directives were read
  std::set<std::string> copiedUnlisted_;  // name keys of unlisted files copied
  std::vector<std::string> unlisted_;     // the same, as written, in the order met
};

}  // namespace

TInfArch ArchNamed(std::string_view name) {
  std::string upper = UpperAscii(name);
  if (upper == "AMD64") return TInfArch::Amd64;
  if (upper == "ARM64") return TInfArch::Arm64;
  return TInfArch::X86;
}

TInfArch DriverArch() {
  return ArchNamed(platform::DriverSetup::Current().DriverArchitecture());
}

TInfSources ReadInfSources(const std::string& infBytes, TInfArch arch) {
  TInfSources sources;
  TInfText inf(infBytes);
  TSourceReader(inf, arch, sources).Run();
  return sources;
}

std::vector<TInfSources> ReadInfVariants(const std::string& infBytes, TInfArch arch) {
  std::vector<TInfSources> variants;
  TInfText first(infBytes);
  for (const std::string& table : first.StringTables()) {
    TInfText inf(infBytes, table);
    TSourceReader(inf, arch, variants.emplace_back()).Run();
  }
  return variants;
}
