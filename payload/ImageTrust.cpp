#include "payload/ImageTrust.h"

std::string ImageTrustProblem(const TImageIdentity& running, const TImageIdentity& file, const std::string& fileName,
                              const std::function<std::string()>& signatureProblem)
{
    if (!(running == file)) return fileName + " was changed after it was started";
    if (!running.Signed()) return "";
    const std::string problem = signatureProblem();
    return problem.empty() ? "" : "The signature of " + fileName + " does not verify: " + problem;
}
