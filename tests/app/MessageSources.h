#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <set>
#include <vector>

namespace vrx::test {

// Every text the program raises or shows, found in its sources: the errors it throws (EOwned,
// EComPort, EValidation, also made without a throw) and the texts of its message dialogs
// (ShowError, ShowInfo, Confirm, CustomDialog). A text is followed from the call to its string
// literals through named constants, local variables, parameters (to every call of the function)
// and the return values of the program's own functions; what `.arg()` and the system put in is
// left out. A call whose text cannot be followed is reported as untraced, so that a new kind of
// message cannot pass unseen.
class MessageSources {
 public:
  struct File {
    QString path;
    QString text;
  };
  struct Message {
    QString where;       // "path:line"
    QString expression;  // the argument that carries the text
    QStringList texts;   // the string literals it can consist of
    bool traced = false;
  };

  explicit MessageSources(std::vector<File> files);

  std::vector<Message> Messages() const;

 private:
  struct Function {
    int file = 0;
    QString name;
    QStringList parameters;
    bool returnsNumber = false;  // its value is no text (int, bool, double, void, ...)
    int bodyOpen = 0;            // the braces of the body
    int bodyClose = 0;
  };
  // A parameter's argument at one call: the expression and the function it stands in.
  struct Binding {
    QString expression;
    const Function* caller = nullptr;
    const std::map<QString, Binding>* callerBindings = nullptr;
  };
  using Bindings = std::map<QString, Binding>;
  struct Trace {
    QStringList texts;
    bool forwarded = false;   // an exception's own text passed on: traced where it was raised
    bool unresolved = false;  // a name that leads nowhere
    std::set<QString> visited;
  };

  void FindFunctions(int file);
  const Function* EnclosingFunction(int file, int position) const;
  std::vector<const Function*> FunctionsNamed(const QString& name, int preferredFile) const;
  void Resolve(const QString& expression, const Function* function, const Bindings* bindings,
               Trace& trace, int depth) const;
  void ResolveName(const QString& name, const Function* function, const Bindings* bindings,
                   Trace& trace, int depth) const;
  void ResolveCall(const QString& name, const QStringList& arguments, const Function* function,
                   const Bindings* bindings, Trace& trace, int depth) const;
  void ResolveCallSites(const Function& callee, int parameter, Trace& trace, int depth) const;
  bool ResolveLocal(const QString& name, const Function& function, const Bindings* bindings,
                    Trace& trace, int depth) const;
  bool ResolveConstant(const QString& name, int preferredFile, Trace& trace, int depth) const;

  std::vector<File> files_;
  std::vector<Function> functions_;
  // Named constants: name, then the file and the expression it is defined as.
  std::multimap<QString, std::pair<int, QString>> constants_;
};

// The text of a source without its comments (blanked, so positions and lines stay).
QString WithoutComments(const QString& source);

}  // namespace vrx::test
