#include "app/worker_thread.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace tavrix::app {

WorkerThread::WorkerThread(std::function<void()> job, QThread::Priority priority)
    : thread_(QThread::create(std::move(job))), priority_(priority) {}

WorkerThread::~WorkerThread() { Wait(); }

void WorkerThread::Start() { thread_->start(priority_); }

bool WorkerThread::Running() const { return thread_->isRunning(); }

void WorkerThread::Wait() {
  QEventLoop loop;
  QObject::connect(thread_.get(), &QThread::finished, &loop, &QEventLoop::quit);
  // Connected first: a job that ends after this test still quits the loop.
  if (thread_->isRunning()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  thread_->wait();
}

void WorkerThread::Synchronize(const std::function<void()>& step) {
  QCoreApplication* app = QCoreApplication::instance();
  if (QThread::currentThread() == app->thread()) {
    step();
    return;
  }
  QMetaObject::invokeMethod(
      app, [&step] { step(); }, Qt::BlockingQueuedConnection);
}

}  // namespace tavrix::app
