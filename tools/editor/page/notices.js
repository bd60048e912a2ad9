// What the page says of what just happened: the notice under the toolbar (kept until the
// state it speaks of changes) and the announcement for screen readers.

// `action`: { label, act } for a button the player answers the notice with.
export function tell(message, kind = "", action = null) {
  const notice = document.getElementById("notice");
  notice.textContent = message;
  notice.className = kind;
  notice.hidden = !message;
  if (!action) return;
  const button = document.createElement("button");
  button.type = "button";
  button.id = "notice-action";
  button.textContent = action.label;
  button.addEventListener("click", () => {
    button.remove();
    action.act();
  });
  notice.append(" ", button);
}

export function announce(message) {
  document.getElementById("announce").textContent = message || "";
}
