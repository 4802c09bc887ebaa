#include "app/video/filter_graph.hpp"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
}

#include <stdexcept>

namespace sledway::app {
namespace {

struct InOutFree {
  void operator()(AVFilterInOut* list) const { avfilter_inout_free(&list); }
};
using InOutPtr = std::unique_ptr<AVFilterInOut, InOutFree>;

AVFilterInOut* Link(const std::string& name, AVFilterContext* filter, AVFilterInOut* next) {
  AVFilterInOut* link = avfilter_inout_alloc();
  if (!link) throw std::runtime_error("out of memory for a filter graph");
  link->name = av_strdup(name.c_str());
  link->filter_ctx = filter;
  link->pad_idx = 0;
  link->next = next;
  return link;
}

}  // namespace

FilterGraph::FilterGraph(const std::string& description, const std::vector<FilterInput>& inputs)
    : graph_(avfilter_graph_alloc()) {
  if (!graph_) throw std::runtime_error("out of memory for a filter graph");
  // The graph's open outputs are our sources, its open input is our sink.
  InOutPtr sourceLinks;
  for (std::size_t i = inputs.size(); i-- > 0;) {
    const FilterInput& input = inputs[i];
    const std::string name = "in" + std::to_string(i);
    const std::string arguments = "video_size=" + std::to_string(input.width) + "x" +
                                  std::to_string(input.height) +
                                  ":pix_fmt=" + std::to_string(input.format) + ":time_base=1/" +
                                  std::to_string(input.fps) + ":pixel_aspect=1/1";
    AVFilterContext* source = nullptr;
    Check(avfilter_graph_create_filter(&source, avfilter_get_by_name("buffer"), name.c_str(),
                                       arguments.c_str(), nullptr, graph_.get()),
          "cannot make a filter input");
    sources_.insert(sources_.begin(), source);
    sourceLinks.reset(Link(name, source, sourceLinks.release()));
  }
  Check(avfilter_graph_create_filter(&sink_, avfilter_get_by_name("buffersink"), "out", nullptr,
                                     nullptr, graph_.get()),
        "cannot make a filter output");
  InOutPtr sinkLink(Link("out", sink_, nullptr));
  AVFilterInOut* open = sinkLink.release();
  AVFilterInOut* sourcesOpen = sourceLinks.release();
  const int parsed =
      avfilter_graph_parse_ptr(graph_.get(), description.c_str(), &open, &sourcesOpen, nullptr);
  avfilter_inout_free(&open);
  avfilter_inout_free(&sourcesOpen);
  Check(parsed, "cannot build the filters '" + description + "'");
  Check(avfilter_graph_config(graph_.get(), nullptr),
        "cannot build the filters '" + description + "'");
}

void FilterGraph::Push(int input, AVFrame* frame) {
  Check(av_buffersrc_add_frame_flags(sources_.at(static_cast<std::size_t>(input)), frame,
                                     AV_BUFFERSRC_FLAG_KEEP_REF),
        "cannot filter a frame");
}

bool FilterGraph::Pull(AVFrame& frame) {
  const int got = av_buffersink_get_frame(sink_, &frame);
  if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return false;
  Check(got, "cannot filter a frame");
  return true;
}

}  // namespace sledway::app
