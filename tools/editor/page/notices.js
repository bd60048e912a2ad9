// What the page says of what just happened: the notice under the toolbar (kept until the
// state it speaks of changes) and the announcement for screen readers.

export function tell(message, kind = "") {
  const notice = document.getElementById("notice");
  notice.textContent = message;
  notice.className = kind;
  notice.hidden = !message;
}

export function announce(message) {
  document.getElementById("announce").textContent = message || "";
}
